// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSet>

namespace {
// Lets through only the keys pressed after the box appeared. The repeats of
// a key already held (Enter held on a print tile) would close the box before
// it could be read. On X11 a repeat may arrive as a release and a press with
// the same timestamp that Qt has not marked as repeats.
class FreshKeysOnly : public QObject {
public:
    explicit FreshKeysOnly(QWidget* box) : box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || (w != box_ && !box_->isAncestorOf(w)))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyRelease) {
            if (!key->isAutoRepeat())
                releases_.insert({key->key(), key->timestamp()});
            return false;
        }
        const bool pairedWithRelease =
            key->timestamp() != 0 && releases_.contains({key->key(), key->timestamp()});
        return key->isAutoRepeat() || pairedWithRelease;
    }

private:
    QWidget* box_;
    QSet<std::pair<int, quint64>> releases_;
};
} // namespace

void QtMessageBox::display(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    FreshKeysOnly filter(&box);
    qApp->installEventFilter(&filter);
    box.exec();
    qApp->removeEventFilter(&filter);
}
