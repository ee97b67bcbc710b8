#include "billing/gui/FrmHistoryStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

struct StoreWindow : public ::testing::Test {
    FrmHistoryStore::Actions Recording() {
        FrmHistoryStore::Actions a;
        a.trial = [this](const std::string& connection) {
            tried.push_back(connection);
            return trialFault;
        };
        a.keep = [this](const std::string& connection) {
            kept.push_back(connection);
            return std::string();
        };
        a.keepPassword = [this](const ServerFields& server, const std::string& password) {
            passwords.push_back({server, password});
            return std::string();
        };
        return a;
    }
    std::vector<std::string> tried, kept;
    std::vector<std::pair<ServerFields, std::string>> passwords;
    std::string trialFault;
};

TEST_F(StoreWindow, TheServerIsKeptInTheSettingsAndThePasswordApart) {
    FrmHistoryStore w("host=office.lan dbname=pyrostat user=desk", "/d/PYXFiles/Billing.sqlite", "",
                      Recording());
    EXPECT_TRUE(w.OnServer()->isChecked());
    EXPECT_EQ(w.Host()->text(), QStringLiteral("office.lan"));
    EXPECT_EQ(w.User()->text(), QStringLiteral("desk"));
    EXPECT_EQ(w.Password()->echoMode(), QLineEdit::Password);

    // A port out of range is refused and nothing is kept.
    w.Port()->setText(QStringLiteral("70000"));
    w.CmdOk()->click();
    EXPECT_TRUE(kept.empty());
    EXPECT_TRUE(w.Outcome()->text().contains(QStringLiteral("70000")));
    w.Port()->setText(QStringLiteral("5433"));

    // The trial carries the typed password; what is kept never does.
    w.Password()->setText(QStringLiteral("μυστικό"));
    trialFault = "Η σύνδεση ΔΕΝ έγινε: ο διακομιστής δεν απαντά.";
    w.CmdTrial()->click();
    ASSERT_EQ(tried.size(), 1u);
    EXPECT_NE(tried[0].find("password='μυστικό'"), std::string::npos) << tried[0];
    EXPECT_TRUE(w.Outcome()->text().contains(QStringLiteral("δεν απαντά")));
    w.CmdOk()->click();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], "host='office.lan' port='5433' dbname='pyrostat' user='desk'");
    EXPECT_EQ(kept[0].find("μυστικό"), std::string::npos);
    ASSERT_EQ(passwords.size(), 1u);
    EXPECT_EQ(passwords[0].first, (ServerFields{"office.lan", "5433", "pyrostat", "desk"}));
    EXPECT_EQ(passwords[0].second, "μυστικό");
}

TEST_F(StoreWindow, TheDesksFileOrAConnectionWrittenByHandKeptAsItWas) {
    {
        FrmHistoryStore w("host=office.lan dbname=pyrostat sslmode=require", "/d/B.sqlite", "",
                          Recording());
        EXPECT_FALSE(w.Outcome()->text().isEmpty()); // told its options stay only unchanged
        w.CmdOk()->click();
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0], "host=office.lan dbname=pyrostat sslmode=require");
        EXPECT_TRUE(passwords.empty());
    }
    {
        FrmHistoryStore w("", "/d/B.sqlite", "host=elsewhere dbname=x", Recording());
        EXPECT_TRUE(w.OnFile()->isChecked());
        EXPECT_FALSE(w.Host()->isEnabled());
        EXPECT_TRUE(w.Outcome()->text().contains(QStringLiteral("PYROSTAT_DATABASE")));
        // A server without its name is refused.
        w.OnServer()->setChecked(true);
        w.CmdOk()->click();
        EXPECT_EQ(kept.size(), 1u);
        w.Host()->setText(QStringLiteral("db"));
        w.Database()->setText(QStringLiteral("pyrostat"));
        w.OnFile()->setChecked(true);
        w.CmdOk()->click();
        ASSERT_EQ(kept.size(), 2u);
        EXPECT_EQ(kept[1], "") << "back to the desk's file";
    }
}

} // namespace
} // namespace pyrostat
