#pragma once
// Small builders the windows share: every widget gets the object name the
// tests and the screenshots find it by, and every button click runs as one
// command, so a hex overflow in its handler becomes a box, not an exit.

#include <QPushButton>
#include <QString>

#include "ui/platform.h"

namespace korvana::ui {

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A named button, parented to parent, whose click runs (owner->*handler)()
// through RunCommand.
template <typename Owner>
QPushButton* CommandButton(Owner* owner, QWidget* parent, const char* name, const char* caption,
                           void (Owner::*handler)()) {
  auto* b = Named(new QPushButton(ToQ(caption), parent), name);
  QObject::connect(b, &QPushButton::clicked, owner,
                   [owner, handler] { RunCommand(owner, [owner, handler] { (owner->*handler)(); }); });
  return b;
}

}  // namespace korvana::ui
