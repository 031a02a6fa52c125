// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "xdriver.h"

#include <QElapsedTimer>
#include <QHash>
#include <QThread>

#include <functional>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// Windows come and go under the driver's feet (a program exits, a window
// manager unframes): a request on one that is gone fails and is ignored,
// where Xlib's default handler would end the test.
// In requests to the window manager: sent by a pager or other tool acting
// for the user, which a window manager obeys without second thoughts.
constexpr long kSourceUser = 2;

int IgnoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

XDriver::XDriver(const QString &display)
    : display_(XOpenDisplay(display.toLocal8Bit().constData()))
{
    XSetErrorHandler(IgnoreErrors);
    // Answers to pings come to the root window (Qt sends them to those who
    // watch its structure).
    if (display_)
        XSelectInput(display_, DefaultRootWindow(display_), StructureNotifyMask | SubstructureNotifyMask);
}

XDriver::~XDriver()
{
    if (display_)
        XCloseDisplay(display_);
}

void XDriver::Abandon()
{
    display_ = nullptr;
}

QString XDriver::Title(XWindow window)
{
    const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    QString title;
    if (XGetWindowProperty(display_, window, netName, 0, 1024, False, utf8, &type, &format, &items,
                           &after, &data) == Success && data) {
        title = QString::fromUtf8(reinterpret_cast<char *>(data), int(items));
        XFree(data);
    }
    return title;
}

bool XDriver::HasWindowManager()
{
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const bool found = XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &items, &after, &data) == Success
        && items == 1;
    if (data)
        XFree(data);
    return found;
}

bool XDriver::WaitForWindowManager(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!HasWindowManager()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// The client window at or below `window`: the first one, depth first,
// that carries WM_STATE; `window` itself when none does (no window manager).
XWindow XDriver::ClientOf(XWindow window)
{
    const Atom wmState = XInternAtom(display_, "WM_STATE", False);
    const std::function<XWindow(XWindow)> withState = [&](XWindow at) -> XWindow {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(display_, at, wmState, 0, 0, False, AnyPropertyType, &type, &format,
                           &items, &after, &data);
        if (data)
            XFree(data);
        if (type != None)
            return at;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, at, &root, &parent, &children, &count))
            return 0;
        XWindow found = 0;
        for (unsigned i = 0; i < count && !found; ++i)
            found = withState(children[i]);
        if (children)
            XFree(children);
        return found;
    };
    const XWindow client = withState(window);
    return client ? client : window;
}

XWindow XDriver::FindWindow(const QString &title)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        const XWindow client = ClientOf(children[i]);
        if (Title(client) == title && XGetWindowAttributes(display_, client, &attributes)
            && attributes.map_state == IsViewable)
            found = client;
    }
    if (children)
        XFree(children);
    return found;
}

QSize XDriver::Size(XWindow window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes))
        return {};
    return QSize(attributes.width, attributes.height);
}

namespace {

// An XImage as a 32-bit picture; line by line when the server's layout
// is the usual 32 bits a pixel, pixel by pixel otherwise.
QImage ToImage(XImage *image)
{
    QImage copy(image->width, image->height, QImage::Format_RGB32);
    const bool plain = image->bits_per_pixel == 32 && image->byte_order == LSBFirst
        && image->red_mask == 0xff0000 && image->green_mask == 0xff00 && image->blue_mask == 0xff;
    for (int y = 0; y < image->height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(copy.scanLine(y));
        if (plain) {
            const auto *from = reinterpret_cast<const quint32 *>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < image->width; ++x)
                line[x] = 0xff000000u | from[x];
        } else {
            for (int x = 0; x < image->width; ++x)
                line[x] = 0xff000000u | (XGetPixel(image, x, y) & 0xffffffu);
        }
    }
    return copy;
}

} // namespace

QImage XDriver::Grab(XWindow window, QRect area)
{
    const QRect whole(QPoint(0, 0), Size(window));
    area = area.isNull() ? whole : area & whole;
    if (area.isEmpty())
        return {};
    XImage *image = XGetImage(display_, window, area.x(), area.y(), unsigned(area.width()),
                              unsigned(area.height()), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage copy = ToImage(image);
    XDestroyImage(image);
    return copy;
}

QImage XDriver::GrabScreen(QRect area)
{
    return Grab(DefaultRootWindow(display_), area);
}

QSize XDriver::ScreenSize()
{
    return Size(DefaultRootWindow(display_));
}

QRect XDriver::OnScreen(XWindow window)
{
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
        return {};
    return QRect(QPoint(x, y), Size(window));
}

bool XDriver::HasCompositor()
{
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display_));
    return XGetSelectionOwner(display_, XInternAtom(display_, name.constData(), False)) != None;
}

void XDriver::PointerTo(QPoint at)
{
    XTestFakeMotionEvent(display_, DefaultScreen(display_), at.x(), at.y(), CurrentTime);
    XSync(display_, False);
}

void XDriver::PointerBy(QPoint by)
{
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &windowX, &windowY, &mask);
    PointerTo(QPoint(x, y) + by);
}

void XDriver::Move(XWindow window, QPoint topLeft)
{
    if (HasWindowManager()) {
        // _NET_MOVERESIZE_WINDOW with x and y, static gravity: the
        // position is the client area's own.
        constexpr long kStaticGravity = 10;
        const long flags = kStaticGravity | 1L << 8 | 1L << 9 | kSourceUser << 12;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "_NET_MOVERESIZE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = flags;
        event.xclient.data.l[1] = topLeft.x();
        event.xclient.data.l[2] = topLeft.y();
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XMoveWindow(display_, window, topLeft.x(), topLeft.y());
    }
    XSync(display_, False);
}

void XDriver::MoveTo(XWindow window, QPoint at)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), at.x(), at.y(), &rootX,
                          &rootY, &child);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
}

void XDriver::Hover(XWindow window, QPoint at)
{
    MoveTo(window, at);
    XSync(display_, False);
}

void XDriver::Press(XWindow window, QPoint at, unsigned button)
{
    MoveTo(window, at);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XSync(display_, False);
}

void XDriver::Release(unsigned button)
{
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void XDriver::Button(unsigned button)
{
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    Release(button);
}

void XDriver::Click(XWindow window, QPoint at, unsigned button)
{
    Press(window, at, button);
    QThread::msleep(30);
    Release(button);
}

void XDriver::Key(XWindow window, const QString &keys, int heldMs)
{
    Focus(window);
    QList<KeyCode> codes;
    for (QString name : keys.split(QLatin1Char('+'))) {
        if (name == QLatin1String("ctrl"))
            name = QStringLiteral("Control_L");
        codes.append(XKeysymToKeycode(display_, XStringToKeysym(name.toLatin1().constData())));
    }
    for (const KeyCode code : codes)
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XSync(display_, False);
    // A key pressed again while it is down is the server's repeat.
    QElapsedTimer held;
    held.start();
    while (held.elapsed() < heldMs) {
        QThread::msleep(33);
        XTestFakeKeyEvent(display_, codes.last(), True, CurrentTime);
        XSync(display_, False);
    }
    for (auto code = codes.crbegin(); code != codes.crend(); ++code)
        XTestFakeKeyEvent(display_, *code, False, CurrentTime);
    XSync(display_, False);
}

void XDriver::KeyEdge(const char *name, bool down)
{
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XStringToKeysym(name)), down, CurrentTime);
    XSync(display_, False);
}

void XDriver::Focus(XWindow window)
{
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
}

// A client message about `window`: to the window manager through the root
// window, or to the window itself.
void XDriver::SendMessage(const char *message, XWindow window, long data0, long data1, bool toRoot)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = data0;
    event.xclient.data.l[1] = data1;
    if (toRoot)
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    else
        XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

void XDriver::RequestClose(XWindow window)
{
    if (HasWindowManager())
        SendMessage("_NET_CLOSE_WINDOW", window, CurrentTime, kSourceUser, true);
    else
        SendMessage("WM_PROTOCOLS", window, long(XInternAtom(display_, "WM_DELETE_WINDOW", False)),
                    CurrentTime, false);
}

void XDriver::Resize(XWindow window, int width, int height)
{
    XResizeWindow(display_, window, unsigned(width), unsigned(height));
    XSync(display_, False);
}

void XDriver::Minimize(XWindow window)
{
    if (HasWindowManager())
        XIconifyWindow(display_, window, DefaultScreen(display_));
    else
        XUnmapWindow(display_, window);
    XSync(display_, False);
}

void XDriver::Restore(XWindow window)
{
    if (HasWindowManager())
        SendMessage("_NET_ACTIVE_WINDOW", window, kSourceUser, CurrentTime, true);
    else
        XMapWindow(display_, window);
    XSync(display_, False);
}

bool XDriver::Ping(XWindow window, int ceilingMs, const std::function<bool()> &meanwhile)
{
    const Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display_, "_NET_WM_PING", False);
    // Our own count rides in a field the answer carries back unchanged.
    const long stamp = long(++pings_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(ping);
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = long(window);
    event.xclient.data.l[3] = stamp;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ceilingMs) {
        while (XPending(display_)) {
            XNextEvent(display_, &event);
            if (event.type == ClientMessage && event.xclient.message_type == protocols
                && Atom(event.xclient.data.l[0]) == ping && event.xclient.data.l[3] == stamp)
                return true;
        }
        if (meanwhile && !meanwhile())
            return false;
        QThread::usleep(500);
    }
    return false;
}

XWindow XDriver::Cover(QRect area)
{
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display_, screen);
    const Window window = XCreateWindow(display_, DefaultRootWindow(display_), area.x(), area.y(),
                                        unsigned(area.width()), unsigned(area.height()), 0,
                                        CopyFromParent, InputOutput, CopyFromParent,
                                        CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display_, window);
    XSync(display_, False);
    return window;
}

void XDriver::Destroy(XWindow window)
{
    XDestroyWindow(display_, window);
    XSync(display_, False);
}
