#include "app/seams.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <memory>

namespace orvikel::gui {

void DesktopSeams::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

std::optional<QString> DesktopSeams::ChooseFolder(QWidget* parent, const QString& start) {
    FolderChooser chooser(parent, start);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(chooser.selectedFiles().constFirst());
}

void DesktopSeams::Quit() {
    QCoreApplication::quit();
}

FolderChooser::FolderChooser(QWidget* parent, const QString& start) : QFileDialog(parent) {
    // Qt's own dialog on every platform, so a typed folder that does not exist reaches accept().
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setWindowTitle(QStringLiteral("ディレクトリの選択"));
    if (!start.isEmpty() && QDir(start).exists()) {
        setDirectory(start);
    }
    askYesNo = [this](const QString& question) {
        std::unique_ptr<QMessageBox> box(MakeQuestion(this, question));
        return box->exec() == QMessageBox::Yes;
    };
}

QMessageBox* FolderChooser::MakeQuestion(QWidget* parent, const QString& question) {
    auto* box = new QMessageBox(QMessageBox::Question,
                                parent != nullptr ? parent->windowTitle() : QString(), question,
                                QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::Yes);
    return box;
}

void FolderChooser::accept() {
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty()) {
        const QString folder = chosen.constFirst();
        if (!QDir(folder).exists()) {
            if (!askYesNo(QStringLiteral("指定されたディレクトリが存在しません。作成しますか？"))) {
                return;
            }
            if (!QDir().mkpath(folder)) {
                return;
            }
        }
    }
    QFileDialog::accept();
}

}  // namespace orvikel::gui
