#pragma once

#include "billing/BillingHistory.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace pyrostat {

// «Κτίρια»: every building of the history, to start the day from: its title
// and general data, its study, its last period and cost, the estimates of
// that period and a draft waiting, with a search box. From a line the study
// opens in the main window, or the study and its period window.
class FrmBuildings : public QDialog {
    Q_OBJECT
public:
    // What the program does with a chosen line's study; each closes the list.
    struct Actions {
        std::function<void(const std::string& study)> openStudy;
        std::function<void(const std::string& study)> openPeriod;
    };

    FrmBuildings(BillingHistory& history, Actions actions, NumberLocale locale,
                 QWidget* parent = nullptr);

    QLineEdit* Search() const { return search_; }
    QTableWidget* List() const { return list_; }
    QLabel* Count() const { return count_; }
    // Which store the history is in, in the window's title line.
    void ShowStore(const QString& store);
    QLabel* Store() const { return store_; }
    QPushButton* CmdOpenStudy() const { return cmdStudy_; }
    QPushButton* CmdOpenPeriod() const { return cmdPeriod_; }

private:
    void Fill();
    void Open(bool period);

    std::vector<BillingHistory::BuildingSummary> buildings_;
    std::vector<size_t> shown_; // the buildings of the list's lines
    Actions actions_;
    NumberLocale locale_;
    QLineEdit* search_;
    QTableWidget* list_;
    QLabel* count_;
    QLabel* store_;
    QPushButton* cmdStudy_;
    QPushButton* cmdPeriod_;
};

} // namespace pyrostat
