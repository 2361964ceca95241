#pragma once
// The panels of the table (ui/panel_layout.h) as Qt widgets, fitted to their captions by
// the same rule as the Windows edition's.
#include <QFrame>
#include <QString>

#include <map>

#include "linux/qt/ui_scale_qt.h"
#include "ui/panel_layout.h"

namespace lumeq {

// Makes the panel (hidden) on `parent` and its controls; the controls by name.
std::map<QString, QWidget*> MakePanel(QWidget* parent, const PanelLayout& plan, const TwipsLayout& layout);

}  // namespace lumeq
