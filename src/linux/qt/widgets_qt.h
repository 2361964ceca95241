#pragma once
// Small pieces the Linux edition's panels share.
#include <QLabel>

namespace lumeq {

// A label whose text wraps inside its rectangle, from its top left corner.
inline QLabel* WrappingLabel(QWidget* parent, const char* name, const char* text, QRect rect) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

}  // namespace lumeq
