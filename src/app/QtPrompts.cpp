#include "app/QtPrompts.h"

#include "util/Paths.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace quarvel {

void QtPrompts::ShowMessage(const QString& text)
{
    QMessageBox::information(owner_, QApplication::applicationName(), text);
}

void QtPrompts::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Close, owner_);
    box.exec();
}

bool QtPrompts::AskYesNo(const QString& text)
{
    return QMessageBox::question(owner_, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::PickFolder(const QString& title, const QString& startFolder)
{
    const QString start = FolderExists(startFolder) ? startFolder : QString();
    const QString chosen = QFileDialog::getExistingDirectory(owner_, title, start);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtPrompts::PickMachineListFile(const QString& currentFile)
{
    const QString chosen = QFileDialog::getOpenFileName(
        owner_, QString(), currentFile, QStringLiteral("Mame exe/xml (*.exe *.xml mame*);;All files (*)"));
    if (chosen.isEmpty())
        return std::nullopt;
    // A confirmed choice leaves the working folder at the chosen file's folder.
    QDir::setCurrent(ExtractFilePath(QDir::toNativeSeparators(chosen)));
    return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtPrompts::PickCategoryListFile()
{
    const QString chosen = QFileDialog::getOpenFileName(owner_, QStringLiteral("Load category list"), QString(),
                                                        QStringLiteral("Category lists (*.ini);;All files (*)"));
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

} // namespace quarvel
