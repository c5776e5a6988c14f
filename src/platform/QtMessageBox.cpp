// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtMessageBox.h"

#include "platform/KeyRepeats.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace {
// Lets through only the keys pressed after the box appeared. The repeats of
// a key already held (Enter held on a print tile) would close the box before
// it could be read.
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
            repeats_.released(key->key(), key->timestamp(), key->isAutoRepeat());
            return false;
        }
        return repeats_.isRepeat(key->key(), key->timestamp(), key->isAutoRepeat());
    }

private:
    QWidget* box_;
    // Every release seen while the box is up.
    KeyRepeats repeats_;
};
} // namespace

void QtMessageBox::display(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    FreshKeysOnly filter(&box);
    qApp->installEventFilter(&filter);
    box.exec();
    qApp->removeEventFilter(&filter);
}
