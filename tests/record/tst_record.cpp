// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// clickshow --record, the real binary with no display to use, and its
// files read back through FFmpeg's libraries.

#include "driver/picture.h"
#include "player/session.h"
#include "record/av.h"
#include "record/yuv420.h"
#include "show/countingpacer.h"
#include "show/emblem.h"
#include "show/palette.h"
#include "window/form1.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// The show as designed: its backdrops, each after so many counts of
// pauses, and 180 ns a count. A recording's window stands half a second
// before the click.
constexpr double kSecondsPerCount = 180e-9;
constexpr double kLeadInSeconds = 0.5;
constexpr double kShowSeconds = 18514000 * kSecondsPerCount; // 3.33252
const struct
{
    show::Rgb colour;
    double counts;
} kBackdrops[] = {{show::kGrey100, 0},
                  {show::kGrey110, 108 * 52000},
                  {show::kGrey109, 216 * 52000},
                  {show::kGrey110, 292 * 52000},
                  {show::kGrey109, 292 * 52000 + 74 * 30000},
                  {show::kWhite, 18514000}};

// Frame k stands at k / fps seconds: the first frame at or after a moment.
int FrameAt(double seconds, int fps)
{
    return int(std::ceil(seconds * fps - 1e-9));
}

// Frames of a file, one by one, as 32-bit RGB pictures.
class Decoder
{
public:
    explicit Decoder(const QString &path)
    {
        AVFormatContext *input = nullptr;
        if (avformat_open_input(&input, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
            return;
        format_.reset(input);
        if (avformat_find_stream_info(format_.get(), nullptr) < 0)
            return;
        const AVCodec *codec = nullptr;
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
        if (stream_ < 0 || !codec)
            return;
        codec_.reset(avcodec_alloc_context3(codec));
        avcodec_parameters_to_context(codec_.get(), format_->streams[stream_]->codecpar);
        if (avcodec_open2(codec_.get(), codec, nullptr) < 0)
            return;
        frame_.reset(av_frame_alloc());
        packet_.reset(av_packet_alloc());
    }

    bool isOpen() const { return frame_ != nullptr; }
    AVStream *stream() const { return format_->streams[stream_]; }
    const AVFormatContext *format() const { return format_.get(); }

    // The next frame in the codec's own pixels, or nullptr at the end.
    const AVFrame *NextRaw()
    {
        for (;;) {
            if (avcodec_receive_frame(codec_.get(), frame_.get()) == 0)
                return frame_.get();
            if (ended_)
                return nullptr;
            if (av_read_frame(format_.get(), packet_.get()) < 0) {
                avcodec_send_packet(codec_.get(), nullptr);
                ended_ = true;
                continue;
            }
            if (packet_->stream_index == stream_)
                avcodec_send_packet(codec_.get(), packet_.get());
            av_packet_unref(packet_.get());
        }
    }

    QImage Next() { return Image(NextRaw()); }

    // The frame a player shows at frame k of `fps`, k counting up: the
    // last whose moment has come, which stands until the next one's.
    const AVFrame *ShownAt(int k, int fps)
    {
        for (;;) {
            if (!ahead_) {
                const AVFrame *next = NextRaw();
                if (!next)
                    break;
                ahead_.reset(av_frame_clone(next));
            }
            if (av_rescale_q(ahead_->best_effort_timestamp, stream()->time_base, AVRational{1, fps}) > k)
                break;
            shown_ = std::move(ahead_);
        }
        return shown_.get();
    }
    // No frame comes after the last one shown.
    bool Ended() { return !ahead_ && !NextRaw(); }

    QImage Image(const AVFrame *frame)
    {
        if (!frame)
            return {};
        // swscale writes whole groups of 8 pixels: room to spare on the right.
        QImage image((frame->width + 15) & ~15, frame->height, QImage::Format_RGB32);
        scaler_.reset(sws_getCachedContext(scaler_.release(), frame->width, frame->height,
                                           AVPixelFormat(frame->format), frame->width, frame->height,
                                           AV_PIX_FMT_BGR0, SWS_BICUBIC, nullptr, nullptr, nullptr));
        // As a player that honours the tags: the matrix and range they name.
        if (frame->format == AV_PIX_FMT_YUV420P)
            sws_setColorspaceDetails(scaler_.get(), sws_getCoefficients(frame->colorspace),
                                     frame->color_range == AVCOL_RANGE_JPEG, sws_getCoefficients(SWS_CS_DEFAULT), 1,
                                     0, 1 << 16, 1 << 16);
        uint8_t *planes[] = {image.bits()};
        const int strides[] = {int(image.bytesPerLine())};
        sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] |= 0xff000000u;
        }
        return image.width() == frame->width ? image : image.copy(0, 0, frame->width, frame->height);
    }

private:
    av::Input format_;
    av::Codec codec_;
    av::Frame frame_;
    av::Packet packet_;
    av::Scaler scaler_;
    av::Frame shown_, ahead_;
    int stream_ = -1;
    bool ended_ = false;
};

// The picture as yuv420p by the book, padded to even sides by repeating
// the edge: BT.709 in limited range, each chroma sample the mean of its
// 2 x 2 pixels.
QList<QByteArray> Planes420(const QImage &picture, QSize encoded)
{
    const int width = encoded.width();
    QList<QByteArray> planes = {QByteArray(width * encoded.height(), 0), QByteArray(width * encoded.height() / 4, 0),
                                QByteArray(width * encoded.height() / 4, 0)};
    const auto at = [&](int x, int y) {
        return picture.pixel(std::min(x, picture.width() - 1), std::min(y, picture.height() - 1));
    };
    const auto luma = [](QRgb p) { return 0.2126 * qRed(p) + 0.7152 * qGreen(p) + 0.0722 * qBlue(p); };
    for (int y = 0; y < encoded.height(); ++y) {
        for (int x = 0; x < width; ++x)
            planes[0][y * width + x] = char(qRound(16 + 219 * luma(at(x, y)) / 255));
    }
    for (int y = 0; y < encoded.height() / 2; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            double cb = 0, cr = 0;
            for (const QRgb p : {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1), at(2 * x + 1, 2 * y + 1)}) {
                cb += (qBlue(p) - luma(p)) / 1.8556 / 4;
                cr += (qRed(p) - luma(p)) / 1.5748 / 4;
            }
            planes[1][y * width / 2 + x] = char(qRound(128 + 224 * cb / 255));
            planes[2][y * width / 2 + x] = char(qRound(128 + 224 * cr / 255));
        }
    }
    return planes;
}

// A picture as the encoder reads frames.
class ImageRows : public FrameRows
{
public:
    explicit ImageRows(const QImage &image) : image_(image) {}
    QSize size() const override { return image_.size(); }
    const QRgb *row(int y) const override { return reinterpret_cast<const QRgb *>(image_.constScanLine(y)); }

private:
    QImage image_;
};

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void losslessFramesFollowTheTimeline();
    void changedRowsAloneConverted_data();
    void changedRowsAloneConverted();
    void everyFormatReadsBack_data();
    void everyFormatReadsBack();
    void videoColoursAreBt709_data();
    void videoColoursAreBt709();
    void failuresLeaveNothingBehind_data();
    void failuresLeaveNothingBehind();
    void eachShowEndsOnItsFinale();

private:
    // Runs clickshow with no display it could use.
    int Run(const QStringList &arguments, QByteArray *errors = nullptr, const std::function<void()> &child = {});

    QTemporaryDir dir;
    QImage opening;  // the window as it opens
    QImage finished; // after a show
};

void TestRecord::initTestCase()
{
    QVERIFY(dir.isValid());
    show::CountingPacer pacer;
    Form1 form;
    player::Session session(form, pacer);
    form.show();
    QCoreApplication::processEvents();
    opening = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(session.Play().ok());
    QCoreApplication::processEvents();
    finished = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int TestRecord::Run(const QStringList &arguments, QByteArray *errors, const std::function<void()> &child)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // A display that is not there: the recording must not reach for one.
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":999"));
    process.setProcessEnvironment(env);
    if (child)
        process.setChildProcessModifier(child);
    process.start(QStringLiteral(CLICKSHOW_BINARY), arguments);
    if (!process.waitForFinished(300000))
        return -1;
    if (errors)
        *errors = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 128 + process.exitCode();
}

// Frame k after the click, at k / fps seconds, shows every call placed on
// the show's timeline (its counts so far, 180 ns each) at or before then.
void TestRecord::losslessFramesFollowTheTimeline()
{
    const QString file = dir.filePath(QStringLiteral("show.mkv"));
    QByteArray errors;
    QCOMPARE(Run({QStringLiteral("--record"), file}, &errors), 0);
    QCOMPARE(errors, QByteArray()); // not a terminal: no progress line

    constexpr int kFps = 60;
    const int lead = FrameAt(kLeadInSeconds, kFps);

    Decoder decoder(file);
    QVERIFY(decoder.isOpen());
    QList<QRgb> backdrops;
    QImage frame, last;
    while (!(frame = decoder.Next()).isNull()) {
        if (backdrops.isEmpty())
            QCOMPARE(frame, opening);
        backdrops.append(Backdrop(frame));
        last = frame;
    }
    // Half a second, the show, and its final picture held two seconds.
    QCOMPARE(int(backdrops.size()), lead + FrameAt(kShowSeconds + 2, kFps));
    for (const auto &backdrop : kBackdrops) {
        const int frame = lead + FrameAt(backdrop.counts * kSecondsPerCount, kFps);
        QCOMPARE(backdrops[frame], ToQRgb(backdrop.colour));
        QVERIFY(backdrops[frame - 1] != ToQRgb(backdrop.colour));
    }
    QCOMPARE(last, finished);
}

void TestRecord::changedRowsAloneConverted_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("end");

    QTest::newRow("an odd row: its pair's colour too") << QSize(6, 6) << 3 << 4;
    QTest::newRow("an even row") << QSize(6, 6) << 2 << 3;
    QTest::newRow("the last row of an odd height: the row padded below") << QSize(5, 7) << 6 << 7;
}

// Converting only the rows that changed, over the planes of the frame
// before, gives the frame that changed: yuv420p's rows go in pairs.
void TestRecord::changedRowsAloneConverted()
{
    QFETCH(QSize, size);
    QFETCH(int, first);
    QFETCH(int, end);

    const QSize encoded(size.width() + size.width() % 2, size.height() + size.height() % 2);
    // Each row a colour of its own, so that rows paired wrongly show.
    QImage before(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            before.setPixel(x, y, qRgb(40 * y, 200 - 25 * y, 60 + 20 * y));
    }
    QImage after = before;
    for (int y = first; y < end; ++y) {
        for (int x = 0; x < size.width(); ++x)
            after.setPixel(x, y, ToQRgb(x % 2 ? show::kRed : show::kGreen));
    }
    QByteArray planes[3] = {QByteArray(encoded.width() * encoded.height(), 0),
                            QByteArray(encoded.width() * encoded.height() / 4, 0),
                            QByteArray(encoded.width() * encoded.height() / 4, 0)};
    const Yuv420Planes to{{reinterpret_cast<std::uint8_t *>(planes[0].data()),
                           reinterpret_cast<std::uint8_t *>(planes[1].data()),
                           reinterpret_cast<std::uint8_t *>(planes[2].data())},
                          {encoded.width(), encoded.width() / 2, encoded.width() / 2}};
    ToYuv420(ImageRows(before), {0, size.height()}, encoded, to);
    ToYuv420(ImageRows(after), {first, end}, encoded, to);
    const QList<QByteArray> want = Planes420(after, encoded);
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < want[p].size(); ++i)
            QVERIFY2(std::abs(quint8(want[p][i]) - quint8(planes[p][i])) <= 1,
                     qPrintable(QStringLiteral("plane %1, sample %2: %3, not %4")
                                    .arg(p).arg(i).arg(quint8(planes[p][i])).arg(quint8(want[p][i]))));
    }
}

void TestRecord::everyFormatReadsBack_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("kind"); // lossless, lossy, palette

    QTest::newRow("mkv: lossless H.264, RGB") << "mkv" << QSize(499, 356) << "lossless";
    QTest::newRow("mp4: H.264, padded to even") << "mp4" << QSize(500, 356) << "lossy";
    QTest::newRow("webm: VP9, padded to even") << "webm" << QSize(500, 356) << "lossy";
    QTest::newRow("gif") << "gif" << QSize(499, 356) << "palette";
    QTest::newRow("webp: animated, lossless") << "webp" << QSize(499, 356) << "webp";
    QTest::newRow("apng") << "apng" << QSize(499, 356) << "lossless";
    QTest::newRow("png: animated") << "png" << QSize(499, 356) << "lossless";
}

// The size, frame rate, length and pictures FFmpeg reads back. (Animated
// WebP is checked with its own library's tool: FFmpeg does not read it.)
void TestRecord::everyFormatReadsBack()
{
    QFETCH(QString, extension);
    QFETCH(QSize, size);
    QFETCH(QString, kind);

    constexpr int kFps = 25;
    const QString file = dir.filePath(QStringLiteral("formats.") + extension);
    const QString lossless = dir.filePath(QStringLiteral("formats-reference.mkv"));
    const QStringList options{QStringLiteral("--fps"), QString::number(kFps), QStringLiteral("--hold"),
                              QStringLiteral("0.5")};
    QCOMPARE(Run(QStringList{QStringLiteral("--record"), file} + options), 0);
    if (!QFile::exists(lossless))
        QCOMPARE(Run(QStringList{QStringLiteral("--record"), lossless} + options), 0);
    const int expectedFrames = FrameAt(kLeadInSeconds, kFps) + FrameAt(kShowSeconds + 0.5, kFps);

    if (kind == QLatin1String("webp")) {
        // Its frames merge where the picture stands still: the sizes, the
        // lossless frames and the length in milliseconds tell.
        QProcess info;
        info.start(QStringLiteral("webpmux"), {QStringLiteral("-info"), file});
        QVERIFY(info.waitForFinished(60000));
        const QList<QByteArray> lines = info.readAllStandardOutput().split('\n');
        QVERIFY(lines.contains("Canvas size: 499 x 356"));
        int milliseconds = 0;
        for (const QByteArray &line : lines) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() >= 11 && fields[0].endsWith(':') && fields[0] != "No.:") {
                milliseconds += fields[6].toInt();
                QCOMPARE(fields[10], QByteArray("lossless"));
            }
        }
        QVERIFY2(std::abs(milliseconds - expectedFrames * 1000 / kFps) <= 1000 / kFps, qPrintable(QString::number(milliseconds)));
        return;
    }

    Decoder decoder(file);
    QVERIFY(decoder.isOpen());
    const AVCodecParameters *parameters = decoder.stream()->codecpar;
    QCOMPARE(QSize(parameters->width, parameters->height), size);
    // The rate a player that trusts it reads: a video's frame that repeats
    // the last is that one lasting longer.
    QCOMPARE(av_q2d(decoder.stream()->r_frame_rate), double(kFps));

    Decoder reference(lossless);
    QVERIFY(reference.isOpen());
    int frames = 0;
    double squares = 0;
    qint64 samples = 0;
    const AVFrame *raw = nullptr;
    const bool lossy = kind == QLatin1String("lossy");
    for (QImage expected; !(expected = reference.Next()).isNull(); ++frames) {
        raw = decoder.ShownAt(frames, kFps);
        QVERIFY2(raw, qPrintable(QStringLiteral("nothing shown at frame %1").arg(frames)));
        if (kind == QLatin1String("lossless"))
            QCOMPARE(decoder.Image(raw), expected);
        if (lossy) {
            // Compared in the encoder's own pixels (yuv420p), against the
            // lossless frame as the encoder got it.
            QCOMPARE(AVPixelFormat(raw->format), AV_PIX_FMT_YUV420P);
            const QList<QByteArray> want = Planes420(expected, size);
            for (int p = 0; p < 3; ++p) {
                const int width = p == 0 ? size.width() : size.width() / 2;
                for (int i = 0; i < want[p].size(); ++i) {
                    const double d = double(quint8(want[p][i])) - double(raw->data[p][i / width * raw->linesize[p] + i % width]);
                    squares += d * d;
                }
                samples += want[p].size();
            }
        }
    }
    QVERIFY(decoder.Ended());
    const QImage last = decoder.Image(raw);
    // 0.5 s of lead-in, the show, half a second held.
    QCOMPARE(frames, expectedFrames);
    const double seconds = decoder.format()->duration > 0
        ? double(decoder.format()->duration) / AV_TIME_BASE
        : double(frames) / kFps;
    QVERIFY2(std::abs(seconds - double(frames) / kFps) <= 1.0 / kFps, qPrintable(QString::number(seconds)));
    if (kind == QLatin1String("lossy")) {
        const double psnr = 10 * std::log10(255.0 * 255.0 / (squares / double(samples)));
        qInfo("%s: %.1f dB against the lossless frames", qPrintable(extension), psnr);
        QVERIFY2(psnr >= 40, qPrintable(QStringLiteral("%1 dB").arg(psnr)));
    }
    if (kind == QLatin1String("palette")) {
        // The show's colours exact; the captions' soft edges may be near.
        QImage outside = last;
        QImage want = finished;
        for (const QRect &caption : {Form1::kTopCaptionRect, Form1::kWordsCaptionRect}) {
            for (QImage *image : {&outside, &want}) {
                for (int y = caption.top(); y <= caption.bottom(); ++y) {
                    for (int x = caption.left(); x <= caption.right(); ++x)
                        image->setPixel(x, y, 0);
                }
            }
        }
        QCOMPARE(outside, want);
    }
}

void TestRecord::videoColoursAreBt709_data()
{
    QTest::addColumn<QString>("extension");

    QTest::newRow("mp4") << "mp4";
    QTest::newRow("webm") << "webm";
}

// Tagged BT.709, limited range, and so converted: a player that honours
// the tags shows each emblem ring in its colour where it is thickest, its
// upper-left side, a band some 15 pixels wide at scale 4 that 4:2:0 keeps.
void TestRecord::videoColoursAreBt709()
{
    QFETCH(QString, extension);

    constexpr int kScale = 4;
    const QString file = dir.filePath(QStringLiteral("colours.") + extension);
    QCOMPARE(Run({QStringLiteral("--record"), file, QStringLiteral("--scale"), QString::number(kScale),
                  QStringLiteral("--fps"), QStringLiteral("5"), QStringLiteral("--hold"), QStringLiteral("0")}),
             0);
    Decoder decoder(file);
    QVERIFY(decoder.isOpen());
    const AVCodecParameters *tags = decoder.stream()->codecpar;
    QCOMPARE(tags->color_primaries, AVCOL_PRI_BT709);
    QCOMPARE(tags->color_trc, AVCOL_TRC_BT709);
    QCOMPARE(tags->color_space, AVCOL_SPC_BT709);
    QCOMPARE(tags->color_range, AVCOL_RANGE_MPEG);
    QImage last;
    for (QImage frame; !(frame = decoder.Next()).isNull();)
        last = frame;
    const auto near = [](QRgb seen, show::Rgb want, int levels) {
        return std::abs(qRed(seen) - want.red) <= levels && std::abs(qGreen(seen) - want.green) <= levels
            && std::abs(qBlue(seen) - want.blue) <= levels;
    };
    QVERIFY(near(Backdrop(last), show::kWhite, 2));
    const double inward = show::kEmblemRadius / std::sqrt(2.0);
    const double middle = (show::kOutlinesPerRing - 1) * show::kEmblemStep / 2;
    for (const show::EmblemRing &ring : show::kEmblemRings) {
        const QPoint at(int((ring.x + middle - inward) / show::kTwipsPerPixel * kScale),
                        int((ring.y + middle - inward) / show::kTwipsPerPixel * kScale));
        QVERIFY2(near(last.pixel(at), ring.rgb, 12),
                 qPrintable(QStringLiteral("%1 at (%2, %3)").arg(QColor(last.pixel(at)).name()).arg(at.x()).arg(at.y())));
    }
}

void TestRecord::failuresLeaveNothingBehind_data()
{
    QTest::addColumn<QString>("what");

    QTest::newRow("an unknown extension") << "show.avi";
    QTest::newRow("a directory that is not there") << "gone/show.mp4";
    QTest::newRow("a full disk") << "show.mkv";
    QTest::newRow("too little memory, told before the first frame") << "show.mp4";
    QTest::newRow("interrupted by SIGTERM") << "show.mp4";
    QTest::newRow("killed by SIGKILL") << "show.mkv";
}

// An existing file stays as it was and nothing half-written is left.
void TestRecord::failuresLeaveNothingBehind()
{
    QFETCH(QString, what);

    QTemporaryDir place;
    const QString file = place.filePath(what);
    QFile existing(place.filePath(QFileInfo(what).fileName()));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("kept as it was");
    existing.close();

    QByteArray errors;
    int status = 0;
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    if (tag.startsWith(QLatin1String("a full disk"))) {
        // A file size limit fails writes as a full disk does.
        status = Run({QStringLiteral("--record"), file}, &errors, [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64 * 1024, 64 * 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    } else if (tag.startsWith(QLatin1String("too little memory"))) {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer takes terabytes of address space");
#endif
        // 1 GiB of address space: far less than 8K frames take.
        status = Run({QStringLiteral("--record"), file, QStringLiteral("--size"), QStringLiteral("7680x4320")}, &errors,
                     [] {
                         const rlimit limit{1ul << 30, 1ul << 30};
                         setrlimit(RLIMIT_AS, &limit);
                     });
        QVERIFY2(errors.contains(" need about ") && errors.count('\n') == 1, errors.constData());
    } else if (tag.startsWith(QLatin1String("interrupted")) || tag.startsWith(QLatin1String("killed"))) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":999"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(CLICKSHOW_BINARY),
                      {QStringLiteral("--record"), file, QStringLiteral("--shows"), QStringLiteral("100")});
        // Once it writes, into a file that has no name in the folder.
        const auto writing = [&] {
            const QString fds = QStringLiteral("/proc/%1/fd").arg(process.processId());
            for (const QFileInfo &fd : QDir(fds).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
                if (fd.symLinkTarget().startsWith(place.path() + QLatin1Char('/')))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(writing(), 60000);
        if (tag.startsWith(QLatin1String("killed")))
            process.kill();
        else
            process.terminate();
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit); // ended by the signal
        errors = process.readAllStandardError();
        status = 1;
    } else {
        status = Run({QStringLiteral("--record"), file}, &errors);
    }
    QCOMPARE(status, 1);
    if (!tag.startsWith(QLatin1String("killed"))) // a killed process has no last word
        QVERIFY2(errors.startsWith("clickshow: cannot record \"" + file.toLocal8Bit() + "\": "), errors.constData());
    QCOMPARE(QDir(place.path()).entryList(QDir::Files | QDir::Hidden), QStringList{existing.fileName().section('/', -1)});
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("kept as it was"));
}

// --shows 2: the first show's final picture stands its hold before the
// second click, so the recording has two finales.
void TestRecord::eachShowEndsOnItsFinale()
{
    const QString file = dir.filePath(QStringLiteral("twice.mkv"));
    QCOMPARE(Run({QStringLiteral("--record"), file, QStringLiteral("--shows"), QStringLiteral("2"),
                  QStringLiteral("--fps"), QStringLiteral("10"), QStringLiteral("--hold"), QStringLiteral("1")}),
             0);
    Decoder decoder(file);
    QVERIFY(decoder.isOpen());
    int finales = 0;
    int whiteFrames = 0;
    bool white = false;
    for (QImage frame; !(frame = decoder.Next()).isNull();) {
        const bool now = Backdrop(frame) == ToQRgb(show::kWhite);
        finales += now && !white;
        whiteFrames += now;
        white = now;
    }
    QCOMPARE(finales, 2);
    QCOMPARE(whiteFrames, 2 * 10); // each held a second
}

QTEST_MAIN(TestRecord)
#include "tst_record.moc"
