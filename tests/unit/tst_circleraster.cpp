// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The canvas's circle rasteriser, on plain canvases.

#include "canvas/canvas.h"
#include "canvas/circleraster.h"

#include <QtTest>

#include <cmath>
#include <memory>

class TestCircleRaster : public QObject
{
    Q_OBJECT

private slots:
    void outline_data();
    void outline();
    void nothingOutside_data();
    void nothingOutside();
};

namespace {
constexpr canvas::Pixel kPaper = canvas::Rgb(100, 100, 100);
constexpr canvas::Pixel kInk = canvas::Rgb(0, 0, 255);

// A canvas of 200 x 160 pixels of paper.
std::unique_ptr<canvas::Canvas> Paper()
{
    auto paper = std::make_unique<canvas::Canvas>(kPaper);
    if (!paper->Hold({0, 0, 200, 160}, 1))
        return nullptr;
    return paper;
}

bool Untouched(const canvas::Canvas &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kPaper)
                return false;
        }
    }
    return true;
}
} // namespace

void TestCircleRaster::outline_data()
{
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<qreal>("radius");
    QTest::addColumn<qreal>("width");

    QTest::newRow("stamp radius in the middle") << QPointF(100, 80) << 350.0 / 15 << 1.0;
    QTest::newRow("emblem radius") << QPointF(100, 80) << 40.0 << 1.0;
    QTest::newRow("quarter circle on the top-left corner") << QPointF(0, 0) << 350.0 / 15 << 1.0;
    QTest::newRow("half off the right edge") << QPointF(199, 80) << 30.0 << 1.0;
    QTest::newRow("fractional centre rounds") << QPointF(50.6, 60.4) << 10.0 << 1.0;
    QTest::newRow("radius zero is one pixel") << QPointF(10, 10) << 0.0 << 1.0;
    QTest::newRow("two pixels wide, half off the left edge") << QPointF(1.5, 80.5) << 46.0 << 2.0;
    QTest::newRow("two pixels wide on the bottom-right corner") << QPointF(199.5, 159.5) << 80.0 << 2.0;
}

// Every pixel drawn lies on the circle (within half the width of a wider
// outline, whose centre is not rounded); every column the circle crosses
// inside the image gets a pixel in each half, so the ring is closed.
void TestCircleRaster::outline()
{
    QFETCH(QPointF, centre);
    QFETCH(qreal, radius);
    QFETCH(qreal, width);

    const auto paper = Paper();
    QVERIFY(paper);
    canvas::Canvas &image = *paper;
    const canvas::Rect drawn = canvas::RasterCircleOutline(image, centre.x(), centre.y(), radius, kInk, width);
    const QRect bounds(drawn.x, drawn.y, drawn.width, drawn.height);

    const int cx = int(std::lround(centre.x())), cy = int(std::lround(centre.y()));
    const int r = int(std::lround(radius));
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kInk)
                continue;
            inked |= QRect(x, y, 1, 1);
            const bool ring = width > 1;
            const qreal distance = ring ? std::hypot(x - centre.x(), y - centre.y()) : std::hypot(x - cx, y - cy);
            const qreal off = std::fabs(distance - (ring ? radius : r));
            QVERIFY2(ring ? off <= width / 2 : off < 1.0, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
    QVERIFY(bounds.contains(inked));
    for (int x = std::max(cx - r, 0); x <= std::min(cx + r, image.width() - 1); ++x) {
        for (const int sign : {-1, 1}) {
            bool found = false;
            for (int y = 0; y < image.height() && !found; ++y)
                found = image.pixel(x, y) == kInk && (y - cy) * sign >= 0;
            const int edgeY = cy + sign * int(std::lround(std::sqrt(std::max(0, r * r - (x - cx) * (x - cx)))));
            if (edgeY >= 0 && edgeY < image.height())
                QVERIFY2(found, qPrintable(QStringLiteral("column %1 open").arg(x)));
        }
    }
}

void TestCircleRaster::nothingOutside_data()
{
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<qreal>("radius");

    QTest::newRow("wholly left") << QPointF(-100, 80) << 30.0;
    QTest::newRow("wholly below") << QPointF(100, 400) << 30.0;
    QTest::newRow("far beyond any screen") << QPointF(2e9, 2e9) << 23.0;
    QTest::newRow("NaN centre") << QPointF(qQNaN(), 10) << 23.0;
    QTest::newRow("negative radius") << QPointF(100, 80) << -5.0;
}

void TestCircleRaster::nothingOutside()
{
    QFETCH(QPointF, centre);
    QFETCH(qreal, radius);

    const auto paper = Paper();
    QVERIFY(paper);
    QVERIFY(canvas::RasterCircleOutline(*paper, centre.x(), centre.y(), radius, kInk).empty());
    QVERIFY(Untouched(*paper));
}

QTEST_APPLESS_MAIN(TestCircleRaster)
#include "tst_circleraster.moc"
