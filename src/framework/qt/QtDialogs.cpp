#include "QtDialogs.h"

#include "QtText.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <tuple>
#include <vector>

namespace fw::qt {

void ShowMessageBox(const String& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), ToQt(text),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);  // the text is shown as it is, markup and all
    box.exec();
}

namespace {

// Puts the prompt on a row of its own above everything the dialog shows.
void AddPrompt(QFileDialog& dialog, const String& prompt)
{
    auto* label = new QLabel(ToQt(prompt), &dialog);
    label->setObjectName(QStringLiteral("promptLabel"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) {
        dialog.layout()->addWidget(label);
        return;
    }
    std::vector<std::tuple<QLayoutItem*, int, int, int, int>> items;
    for (int i = 0; i < grid->count(); ++i) {
        int row, column, rows, columns;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        items.emplace_back(grid->itemAt(i), row, column, rows, columns);
    }
    const int width = grid->columnCount();
    for (int row = grid->rowCount() - 1; row >= 0; --row) grid->setRowStretch(row + 1, grid->rowStretch(row));
    grid->setRowStretch(0, 0);
    while (grid->count() > 0) grid->takeAt(0);
    for (auto [item, row, column, rows, columns] : items) grid->addItem(item, row + 1, column, rows, columns);
    grid->addWidget(label, 0, 0, 1, width);
}

} // namespace

std::optional<String> ChooseFolderModal(const FolderDialogTexts& texts)
{
    QFileDialog dialog(nullptr, ToQt(texts.title));
    // Qt's own dialog: the platform's may not show a prompt, and it can be
    // driven from outside by typing a path into its file-name field.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!texts.actionButtonCaption.empty())
        dialog.setLabelText(QFileDialog::Accept, WithoutMnemonics(texts.actionButtonCaption));
    // Qt would start in the working folder, which means nothing to the user.
    dialog.setDirectory(texts.initialDirectory.empty() ? QDir::homePath() : ToQt(texts.initialDirectory));
    if (!texts.promptText.empty()) AddPrompt(dialog, texts.promptText);
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setFocus();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return FromQt(QDir::cleanPath(QFileInfo(chosen.first()).absoluteFilePath()));
}

void DismissModalDialogs()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
}

} // namespace fw::qt
