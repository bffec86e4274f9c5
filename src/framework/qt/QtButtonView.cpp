#include "QtButtonView.h"

#include "QtText.h"
#include "framework/Application.h"
#include "framework/BevelButton.h"

#include <QPushButton>

namespace fw::qt {

QtButtonView::QtButtonView(BevelButton& model, QWidget& content)
    : QtControlView(model, new QPushButton(&content)), button_(model)
{
    Button()->setFocusPolicy(Qt::NoFocus);
    Button()->setAutoDefault(false);
    QtButtonView::TextChanged();
    std::weak_ptr<Object> weak = model.weak_from_this();
    pressed_ = QObject::connect(Button(), &QPushButton::clicked, Button(), [weak] {
        if (auto button = std::static_pointer_cast<BevelButton>(weak.lock()))
            DeliverFromLoop([&] { button->ViewPressed(); });
    });
}

QtButtonView::~QtButtonView()
{
    QObject::disconnect(pressed_);
}

QPushButton* QtButtonView::Button() const
{
    return static_cast<QPushButton*>(Widget());
}

void QtButtonView::TextChanged()
{
    QtControlView::TextChanged();
    if (Button()) Button()->setText(WithoutMnemonics(button_.Caption()));
}

} // namespace fw::qt
