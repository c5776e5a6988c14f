// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QList>
#include <QString>
#include <functional>

class Label;
class QWidget;

// What assistive technologies (screen readers, switch access, voice control)
// see of the program's controls: tiles that act through their "Press" action,
// labels named with their meaning, rows of labels read as one text, and only
// the controls a pupil can actually see reported as showing.
namespace accessibility {

// Puts the program's own accessible interfaces in place of Qt's for tiles,
// labels, frames and picture boxes. Safe to call more than once.
void install();

// True when the widget is visible and neither it nor one of its containers
// lies under an opaque sibling that hides it entirely (the panels of the
// exercise window stacked on one place).
bool onShow(const QWidget* widget);

// Does what a mouse click on a tile or a push button does, press and release:
// the window comes forward, the control takes the focus, then it acts. Only
// a control that is enabled, on show and not held back by a modal window
// acts; returns whether it did.
bool press(QWidget* control);

// Names a value label after what it counts: "Risposte esatte: 3".
void setHeading(QWidget* label, const QString& heading);

// Exposes a container of labels as one text, the labels' captions in the
// given order joined by the separator (empty captions left out); the labels
// themselves are then not reported one by one. Unless the container has an
// accessible name of its own, the text is its name too.
void readAsOneText(QWidget* container, const QList<Label*>& parts, const QString& separator);

// The text a container set up by readAsOneText exposes.
QString oneText(const QWidget* container);

// News for a pupil who listens, carried by the control that takes the focus
// next: screen readers speak a control's description when it takes the focus
// (and again on "Where am I"), and Orca speaks little else reliably. The
// control's description starts with the news until the focus leaves it; an
// empty news takes it away. Keys, clicks and focus are not affected.
void setNews(QWidget* control, const QString& news);
QString news(const QWidget* control);

// Tells a screen reader to speak what the widget now shows.
void announce(QWidget* widget);
// Announces every label with a caption inside a panel that has just come to
// the front.
void announceShown(QWidget* panel);
// The widget was raised or lowered: its siblings may have been covered or
// uncovered, so their showing state is reported again.
void restacked(QWidget* widget);
// The text a widget exposes has changed.
void textChanged(QWidget* widget);

// Sees every event the functions above send, also when no assistive
// technology listens (the tests have none). A control given a fresh
// accessible object as it comes into view (see Accessibility.cpp) is seen as
// QAccessible::ObjectCreated.
using EventObserver = std::function<void(QWidget* widget, QAccessible::Event type)>;
void setEventObserver(EventObserver observer);

} // namespace accessibility
