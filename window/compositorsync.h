// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QObject>
#include <QRegion>

#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

// Makes sure a compositing manager on X takes up what the window drew.
//
// A compositor learns of drawing from damage events, reads the window's
// pixels, and then tells the server that it has taken that damage
// (DamageSubtract). Mutter does the subtract on one connection and reads the
// pixels on another, so the subtract can reach the server well after the
// read: drawing that lands in between, inside damage already reported, is
// wiped from the damage without ever being read. Nothing on the screen
// shows it until something else damages that part again. A show draws its
// last outlines, captions included, in a burst and then stands still, so
// its final picture can stay unfinished on the screen for good.
//
// The fix is a round trip through the window manager's connection: a
// _NET_REQUEST_FRAME_EXTENTS for a window of our own. The manager answers
// on the connection that holds its subtracts, after every subtract it had
// already made. Once the answer is in, what was drawn before the request is
// presented again: now any damage it makes is seen.
class CompositorSync : public QObject
{
    Q_OBJECT

public:
    // Nothing (a null pointer) but on X.
    static std::unique_ptr<CompositorSync> Create(QObject *parent = nullptr);
    ~CompositorSync() override;

    // Asks again whether a compositing manager runs (one may have started
    // or gone); a show asks once as it starts.
    void Refresh();
    // `region` has been drawn.
    void Drawn(const QRect &area);
    void Drawn(const QRegion &region);
    // Answers that have come in: what to present again now. Also sends the
    // next request for what was drawn since.
    QRegion Poll();

signals:
    // An answer came in while the event loop runs.
    void presentAgain(const QRegion &region);

private:
    CompositorSync(xcb_connection_t *connection, int screen);
    bool CompositorRuns();
    void Send();
    QRegion Read();

    xcb_connection_t *connection_;
    xcb_connection_t *windowConnection_ = nullptr;
    int screen_;
    unsigned root_ = 0;
    unsigned probe_ = 0;
    unsigned requestAtom_ = 0;
    unsigned extentsAtom_ = 0;
    unsigned managerAtom_ = 0;
    QRegion drawn_;    // since the last request
    QRegion inFlight_; // before the request that waits for its answer
    bool waiting_ = false;
    bool compositor_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};
