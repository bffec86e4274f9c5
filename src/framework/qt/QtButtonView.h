#pragma once

#include "QtControlView.h"

namespace fw {
class BevelButton;
}

class QPushButton;

namespace fw::qt {

// A push button that shows the caption and takes no keyboard focus.
class QtButtonView final : public QtControlView {
public:
    QtButtonView(BevelButton& model, QWidget& content);
    ~QtButtonView() override;

    void TextChanged() override;

private:
    QPushButton* Button() const;

    BevelButton& button_;
    QMetaObject::Connection pressed_;
};

} // namespace fw::qt
