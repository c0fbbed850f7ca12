#pragma once
// What the window tests share: a fake for the desktop seams, finding controls by their names,
// and the CP932 edge for comparing texts with files.
#include <QDir>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_paths.hpp"
#include "app/seams.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"

namespace orvikel::gui::testing {

// Records every message and every end of the program; the folder chooser answers from a script
// (cancel once the script is used up).
class FakeSeams final : public UiSeams {
  public:
    void ShowMessage(QWidget*, const QString& text) override {
        messages.append(text);
        if (onMessage) {
            onMessage(text);
        }
    }
    std::optional<QString> ChooseFolder(QWidget*, const QString& start) override {
        chooserStarts.append(start);
        if (folderAnswers.empty()) {
            return std::nullopt;
        }
        const QString answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }
    void Quit() override { ++quitCalls; }

    QStringList messages;
    std::function<void(const QString&)> onMessage;  // runs while the message would be shown
    QStringList chooserStarts;
    std::deque<QString> folderAnswers;  // each a chosen folder
    int quitCalls = 0;
};

template <class Widget = QWidget>
Widget* Find(const QObject* root, const QString& name) {
    return root->findChild<Widget*>(name);
}

inline QString U(std::string_view cp932) {
    return QString::fromStdString(text::ToUtf8(cp932));
}

inline std::string Cp(const QString& utf8) {
    return text::ToCp932(utf8.toStdString());
}

// The lines of a work file as the window shows them.
inline QStringList WorkLines(const QString& dir, const char* name) {
    QStringList lines;
    for (const std::string& line : ReadWorkFile(ToPath(dir), name)) {
        lines.append(U(line));
    }
    return lines;
}

inline QString WorkText(const QString& dir, const char* name) {
    return WorkLines(dir, name).join(QLatin1Char('\n'));
}

// A settings file as the user's editor might leave it: UTF-8 lines stored as CP932 with CR LF.
inline void WriteIni(const QString& programDir, const QStringList& lines) {
    WriteWorkFile(ToPath(programDir), "OrviKV.ini", [&] {
        std::vector<std::string> cp932;
        for (const QString& line : lines) {
            cp932.push_back(Cp(line));
        }
        return cp932;
    }());
}

// A folder in the native spelling with the separator the settings keep at its end.
inline QString FolderText(const QString& dir) {
    return QDir::toNativeSeparators(dir) + QDir::separator();
}

}  // namespace orvikel::gui::testing
