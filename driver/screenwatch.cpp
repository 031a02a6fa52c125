// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "screenwatch.h"

#include "picture.h"

#include "show/design.h"
#include "show/palette.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

// The show's backdrops, one show after another, as they follow each other.
const QList<QRgb> kBackdrops = {ToQRgb(show::kGrey100), ToQRgb(show::kGrey110), ToQRgb(show::kGrey109),
                                ToQRgb(show::kGrey110), ToQRgb(show::kGrey109), ToQRgb(show::kWhite)};

} // namespace

bool WaitFor(const std::function<QImage()> &look, const std::function<bool(const QImage &)> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kScreenCeilingMs) {
        if (done(look()))
            return true;
        QThread::msleep(5);
    }
    return false;
}

bool FollowBackdrops(const std::function<QImage()> &look, int shows, Followed &followed)
{
    QElapsedTimer timer;
    timer.start();
    const int count = int(kBackdrops.size());
    int at = -1; // the backdrop that stands, once the first show is caught
    while (followed.starts.size() < shows || at != count - 1) {
        if (timer.elapsed() > kScreenCeilingMs)
            return false;
        // A millisecond between looks leaves the display server, and the
        // program it serves, the time they need on a busy machine.
        QThread::usleep(1000);
        const QImage picture = look();
        const QRgb seen = picture.isNull() ? 0 : Backdrop(picture);
        if (at < 0 && seen != kBackdrops[0] && kBackdrops.contains(seen)) {
            qWarning("the first show began unseen: backdrop %08x came first", seen);
            return false;
        }
        if ((at < 0 && seen != kBackdrops[0]) || (at >= 0 && seen == kBackdrops[at]))
            continue;
        const bool finaleHidden = at == count - 2 && seen == kBackdrops[0];
        if (at >= 0 && seen != kBackdrops[(at + 1) % count] && !finaleHidden) {
            qWarning("backdrop %08x where %08x should follow", seen, kBackdrops[(at + 1) % count]);
            return false;
        }
        at = finaleHidden ? 0 : (at + 1) % count;
        followed.backdrops.append(timer.elapsed());
        if (at == 0)
            followed.starts.append(timer.elapsed());
        if (at == count - 1)
            followed.finales.append(timer.elapsed());
    }
    return true;
}

QImage RecordedPicture(QSize screen, double scale, QPoint at)
{
    QTemporaryDir dir;
    const QString recording = dir.filePath(QStringLiteral("show.mkv")), last = dir.filePath(QStringLiteral("last.png"));
    if (QProcess::execute(QStringLiteral(CLICKSHOW_BINARY),
                          {QStringLiteral("--record"), recording, QStringLiteral("--scale"), QString::number(scale),
                           QStringLiteral("--hold"), QStringLiteral("0")})
            != 0
        || QProcess::execute(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"),
                                                        QStringLiteral("-sseof"), QStringLiteral("-0.1"),
                                                        QStringLiteral("-i"), recording, QStringLiteral("-update"),
                                                        QStringLiteral("1"), last})
            != 0)
        return {};
    QImage expected(screen, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter(&expected).drawImage(at, QImage(last));
    return expected;
}

int DifferingOutsideCaptions(QImage seen, QImage expected, double scale, QPoint at)
{
    for (const show::DesignRect &caption : {show::kTopCaption, show::kWordsCaption}) {
        const QRect scaled = QRectF(QPointF(at) + QPointF(caption.x, caption.y) * scale,
                                    QSizeF(caption.width, caption.height) * scale)
                                 .toAlignedRect()
                                 .adjusted(-1, -1, 1, 1);
        for (QImage *image : {&seen, &expected})
            QPainter(image).fillRect(scaled, Qt::magenta);
    }
    return PixelsDiffering(seen, expected);
}
