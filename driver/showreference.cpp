// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "showreference.h"

#include "picture.h"

#include "player/session.h"
#include "show/countingpacer.h"

#include <QApplication>

#include <utility>

// Plays the shows on the window and notes the picture each time the
// window presents a change.
class ShowReference::Snapshots
{
public:
    explicit Snapshots(QSize client)
        : session_(form_, pacer_)
    {
        QObject::connect(&form_, &Form1::presented, &form_, [this] {
            if (noting_)
                Note();
        });
        form_.resize(client);
        form_.show();
        QApplication::processEvents();
    }

    QImage Picture() { return form_.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    Show Play()
    {
        current_ = Show();
        phase_ = 0;
        backdrop_ = form_.picture().canvas().backdrop();
        Note();
        current_.first = Picture();
        current_.backdrop.append(Backdrop(current_.first));
        noting_ = true;
        const Status played = session_.Play();
        noting_ = false;
        Q_ASSERT(played.ok());
        QApplication::processEvents();
        current_.last = Picture();
        return std::exchange(current_, {});
    }

    void Resize(QSize client)
    {
        form_.resize(client);
        QApplication::processEvents();
    }

private:
    // A new backdrop is a new phase of the show: no two in a row are alike.
    void Note()
    {
        const canvas::Pixel backdrop = form_.picture().canvas().backdrop();
        if (backdrop != backdrop_) {
            ++phase_;
            backdrop_ = backdrop;
            current_.backdrop.append(backdrop);
        }
        const quint64 hash = PictureHash(Picture());
        if (!current_.hashes.isEmpty() && current_.hashes.last() == hash) {
            current_.phase.last() = phase_;
            return;
        }
        current_.index.insert(hash, int(current_.hashes.size()));
        current_.hashes.append(hash);
        current_.phase.append(phase_);
    }

    show::CountingPacer pacer_;
    Form1 form_;
    player::Session session_;
    Show current_;
    int phase_ = 0;
    canvas::Pixel backdrop_ = 0;
    bool noting_ = false;
};

int ShowReference::Show::Find(quint64 hash, int from) const
{
    int found = -1;
    for (auto it = index.constFind(hash); it != index.cend() && it.key() == hash; ++it) {
        if (it.value() >= from && (found < 0 || it.value() < found))
            found = it.value();
    }
    return found;
}

ShowReference::ShowReference(QSize client)
    : snapshots_(std::make_unique<Snapshots>(client))
{
}

ShowReference::~ShowReference() = default;

QImage ShowReference::Picture() const
{
    return snapshots_->Picture();
}

ShowReference::Show ShowReference::Next()
{
    return snapshots_->Play();
}

void ShowReference::Resize(QSize client)
{
    snapshots_->Resize(client);
}
