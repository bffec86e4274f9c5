#include "QtMenus.h"

#include "QtText.h"
#include "framework/Application.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace fw::qt {

QKeySequence ShortcutFromFramework(const String& shortcut)
{
    const QStringList parts = ToQt(shortcut).split(QLatin1Char('+'));
    if (parts.size() < 2 || parts.last().isEmpty()) {
        // A lone key (or nothing) carries no modifier: the framework gives
        // menu keys with their modifiers, so this is no shortcut.
        return {};
    }
    QStringList modifiers;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QString m = parts[i].trimmed().toLower();
        if (m == QLatin1String("cmd") || m == QLatin1String("command"))
            modifiers << QStringLiteral("Ctrl");
        else if (m == QLatin1String("option") || m == QLatin1String("alt"))
            modifiers << QStringLiteral("Alt");
        else if (m == QLatin1String("shift"))
            modifiers << QStringLiteral("Shift");
        else if (m == QLatin1String("ctrl") || m == QLatin1String("control"))
            modifiers << QStringLiteral("Meta");
        else
            return {};
    }
    QKeySequence sequence = QKeySequence::fromString(modifiers.join(QLatin1Char('+')) + QLatin1Char('+') +
                                                         parts.last().trimmed(),
                                                     QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return {};
    return sequence;
}

namespace {

void AddEntries(QMenu& menu, const MenuItem& model)
{
    for (std::int32_t i = 0; i < model.Count(); ++i) {
        MenuItemRef entry = model.Item(i);
        if (entry->IsSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (entry->Count() > 0) {
            AddEntries(*menu.addMenu(WithoutMnemonics(entry->Text())), *entry);
            continue;
        }
        QAction* action = menu.addAction(WithoutMnemonics(entry->Text()));
        action->setShortcut(ShortcutFromFramework(entry->KeyboardShortcut()));
        // Only the quit entry may move to the application menu on macOS;
        // Qt would otherwise guess roles from the texts.
        action->setMenuRole(std::dynamic_pointer_cast<QuitMenuItem>(entry) ? QAction::QuitRole
                                                                           : QAction::NoRole);
        std::weak_ptr<MenuItem> weak = entry;
        QObject::connect(action, &QAction::triggered, action, [weak] {
            if (MenuItemRef chosen = weak.lock()) DeliverFromLoop([&] { chosen->Choose(); });
        });
    }
}

} // namespace

void BuildMenuBar(QMenuBar& bar, const MenuBarRef& model)
{
    bar.clear();
    // Later: the rebuild may come from a handler of one of these menus.
    for (QMenu* old : bar.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) old->deleteLater();
    if (!model) return;
    for (std::int32_t i = 0; i < model->Count(); ++i) {
        MenuItemRef menu = model->Item(i);
        AddEntries(*bar.addMenu(WithoutMnemonics(menu->Text())), *menu);
    }
}

} // namespace fw::qt
