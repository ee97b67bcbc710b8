#include "studies/gui/StudyCommandsQt.h"

#include "platform/WaitSeconds.h"
#include "platform/gui/LocaleTexts.h"
#include "studies/gui/FrmOpenSave.h"
#include "workspace/gui/MainWindowCommands.h"

#include <QCoreApplication>
#include <QLocale>

#include <utility>

namespace pyrostat {

StudyCommandsQt::StudyCommandsQt(QWidget* window, GridContract& grid, QLineEdit* title,
                                 QCheckBox* insulation, ProgramState& state,
                                 MessageService& messages, std::function<void()> showGeneralData)
    : window_(window), state_(state), messages_(messages), fields_(title, insulation),
      dialogs_(window), commands_(grid, state, messages, fields_, dialogs_) {
    commands_.File().ShowGeneralData = std::move(showGeneralData);
    commands_.File().WaitSeconds = [](float seconds) {
        WaitSeconds(seconds, [] { QCoreApplication::processEvents(); });
    };
    commands_.ShowBrowser = [this] {
        bool classic = false;
        {
            FrmOpenSave browser(
                state_, [this](const std::string& path) { commands_.OpenStudy(path); }, window_,
                [](int year, int month, int day) {
                    return LocaleShortDate(QLocale::system(), year, month, day);
                },
                &messages_);
            browser.exec();
            classic = browser.ClassicChosen();
        }
        if (classic) {
            commands_.ClassicOpenFile();
        }
    };
}

void StudyNew(StudyCommandsQt& study) {
    study.Commands().New();
}

void StudyOpen(StudyCommandsQt& study) {
    study.Commands().Open();
}

void StudySave(StudyCommandsQt& study) {
    study.Commands().Save();
}

void StudySaveAs(StudyCommandsQt& study) {
    study.Commands().SaveAs();
}

bool StudyCloseQuestion(StudyCommandsQt& study) {
    return study.Commands().ConfirmClose() == CloseDecision::Close;
}

void WireStudyCommands(StudyCommandsQt& study, MainWindowCommands& commands) {
    commands.onNew = [&study] { StudyNew(study); };
    commands.onOpen = [&study] { StudyOpen(study); };
    commands.onSave = [&study] { StudySave(study); };
    commands.onSaveAs = [&study] { StudySaveAs(study); };
    commands.onCloseQuestion = [&study] { return StudyCloseQuestion(study); };
}

} // namespace pyrostat
