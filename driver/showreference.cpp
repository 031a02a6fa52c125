// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "showreference.h"

#include "picture.h"

#include "show/countingpacer.h"
#include "show/palette.h"
#include "show/sequence.h"

#include <QApplication>

#include <utility>

// Passes every call on to the window and notes the picture after each one
// that can change it.
class ShowReference::Snapshots : public show::Surface
{
public:
    explicit Snapshots(QSize client)
        : show_(*this, pacer_)
    {
        form_.resize(client);
        form_.show();
        QApplication::processEvents();
    }

    QImage Picture() { return form_.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    Show Play()
    {
        current_ = Show();
        phase_ = 0;
        Note();
        current_.first = Picture();
        current_.backdrop.append(Backdrop(current_.first));
        show_.PlayClickShow();
        QApplication::processEvents();
        current_.last = Picture();
        return std::exchange(current_, {});
    }

    void Resize(QSize client)
    {
        form_.resize(client);
        QApplication::processEvents();
    }

    bool SetBackdrop(show::Colour colour) override
    {
        ++phase_;
        current_.backdrop.append(ToQRgb(show::Unpack(colour)));
        return Noted(form_.SetBackdrop(colour));
    }
    bool GetClientWidth(float &width) override { return form_.GetClientWidth(width); }
    bool GetClientHeight(float &height) override { return form_.GetClientHeight(height); }
    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override
    {
        return Noted(form_.DrawCircleOutline(x, y, radius, colour));
    }
    bool SetLabelVisible(show::Label label, bool visible) override
    {
        return Noted(form_.SetLabelVisible(label, visible));
    }
    bool SetLabelCaption(show::Label label, const std::string &text) override
    {
        return Noted(form_.SetLabelCaption(label, text));
    }

private:
    bool Noted(bool ok)
    {
        Note();
        return ok;
    }

    void Note()
    {
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
    show::ClickShow show_;
    Show current_;
    int phase_ = 0;
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
