#include "billing/gui/FrmHistoryStore.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pyrostat {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QLineEdit* box) {
    return box->text().trimmed().toStdString();
}

} // namespace

FrmHistoryStore::FrmHistoryStore(const std::string& current, const std::string& file,
                                 const std::string& variable, Actions actions, QWidget* parent)
    : QDialog(parent), current_(current), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("FrmHistoryStore"));
    setWindowTitle(QStringLiteral("Βάση ιστορικού"));
    setModal(true);

    onFile_ = new QRadioButton(QStringLiteral("&Αρχείο αυτού του σταθμού"), this);
    onFile_->setObjectName(QStringLiteral("OptFile"));
    auto* fileNote = new QLabel(Q(file), this);
    fileNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    onServer_ = new QRadioButton(QStringLiteral("&Διακομιστής PostgreSQL του γραφείου"), this);
    onServer_->setObjectName(QStringLiteral("OptServer"));

    const auto box = [this](const char* name, const QString& placeholder) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setPlaceholderText(placeholder);
        edit->setMaxLength(200);
        return edit;
    };
    host_ = box("TxtHost", QStringLiteral("π.χ. office.lan"));
    port_ = box("TxtPort", QStringLiteral("5432"));
    port_->setMaxLength(5);
    dbname_ = box("TxtDatabase", QStringLiteral("π.χ. pyrostat"));
    user_ = box("TxtUser", QStringLiteral("π.χ. pyrostat"));
    password_ = box("TxtPassword", QStringLiteral("μόνο αν αλλάζει"));
    password_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Διακο&μιστής:"), host_);
    form->addRow(QStringLiteral("&Θύρα:"), port_);
    form->addRow(QStringLiteral("&Βάση:"), dbname_);
    form->addRow(QStringLiteral("&Χρήστης:"), user_);
    form->addRow(QStringLiteral("&Κωδικός:"), password_);
    auto* passwordNote = new QLabel(
        QStringLiteral("Ο κωδικός γράφεται στο αρχείο κωδικών της PostgreSQL (~/.pgpass, μόνο "
                       "για εσάς), ποτέ στις ρυθμίσεις του προγράμματος."),
        this);
    passwordNote->setWordWrap(true);

    outcome_ = new QLabel(this);
    outcome_->setObjectName(QStringLiteral("LblOutcome"));
    outcome_->setWordWrap(true);
    outcome_->setMinimumWidth(420);

    cmdTrial_ = new QPushButton(QStringLiteral("Δοκιμή &σύνδεσης"), this);
    cmdTrial_->setObjectName(QStringLiteral("CmdTrial"));
    cmdOk_ = new QPushButton(QStringLiteral("&Εντάξει"), this);
    cmdOk_->setObjectName(QStringLiteral("CmdOk"));
    cmdOk_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Ά&κυρο"), this);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTrial_);
    buttons->addStretch(1);
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(onFile_);
    layout->addWidget(fileNote);
    layout->addWidget(onServer_);
    layout->addLayout(form);
    layout->addWidget(passwordNote);
    layout->addWidget(outcome_);
    layout->addLayout(buttons);

    const ServerFields fields = FieldsOf(current);
    host_->setText(Q(fields.host));
    port_->setText(Q(fields.port));
    dbname_->setText(Q(fields.dbname));
    user_->setText(Q(fields.user));
    (current.empty() ? onFile_ : onServer_)->setChecked(true);
    if (ConnectionHasMoreThanFields(current)) {
        // Written by hand with more than these fields (a service, SSL):
        // shown, and kept unless the manager changes it here.
        Tell(QStringLiteral("Η σύνδεση των ρυθμίσεων έχει και άλλες επιλογές· αν την αλλάξετε "
                            "εδώ, κρατιούνται μόνο τα πεδία του παραθύρου."),
             false);
    }
    if (!variable.empty()) {
        // The variable wins over the settings: what is chosen here holds
        // when it is not set.
        Tell(QStringLiteral("Τώρα ισχύει η μεταβλητή PYROSTAT_DATABASE (%1): ό,τι ορίσετε εδώ "
                            "ισχύει όταν δεν έχει οριστεί.")
                 .arg(Q(PostgresServerName(variable))),
             false);
    }

    connect(onFile_, &QRadioButton::toggled, this, &FrmHistoryStore::Enable);
    connect(cmdTrial_, &QPushButton::clicked, this, &FrmHistoryStore::Trial);
    connect(cmdOk_, &QPushButton::clicked, this, &FrmHistoryStore::accept);
    connect(cancel, &QPushButton::clicked, this, &FrmHistoryStore::reject);
    Enable();
}

void FrmHistoryStore::Enable() {
    const bool server = onServer_->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{host_, port_, dbname_, user_, password_, cmdTrial_}) {
        w->setEnabled(server);
    }
}

void FrmHistoryStore::Tell(const QString& text, bool fault) {
    outcome_->setText(text);
    outcome_->setStyleSheet(fault ? QStringLiteral("color: #b00000") : QString());
}

std::optional<ServerFields> FrmHistoryStore::Read() {
    ServerFields fields{S(host_), S(port_), S(dbname_), S(user_)};
    if (fields.host.empty()) {
        Tell(QStringLiteral("Γράψτε τον διακομιστή (όνομα ή διεύθυνση)."), true);
        host_->setFocus();
        return std::nullopt;
    }
    if (!fields.port.empty()) {
        bool ok = false;
        const int port = port_->text().trimmed().toInt(&ok);
        if (!ok || port < 1 || port > 65535 ||
            fields.port.find_first_not_of("0123456789") != std::string::npos) {
            Tell(QStringLiteral("Η θύρα «%1» δεν είναι αριθμός από 1 έως 65535.")
                     .arg(port_->text().trimmed()),
                 true);
            port_->setFocus();
            return std::nullopt;
        }
    }
    if (fields.dbname.empty()) {
        Tell(QStringLiteral("Γράψτε τη βάση του ιστορικού στον διακομιστή."), true);
        dbname_->setFocus();
        return std::nullopt;
    }
    return fields;
}

void FrmHistoryStore::Trial() {
    const std::optional<ServerFields> fields = Read();
    if (!fields || !actions_.trial) {
        return;
    }
    const QString name = Q(PostgresServerName(ConnectionText(*fields)));
    Tell(QStringLiteral("Σύνδεση με %1…").arg(name), false);
    outcome_->repaint();
    const std::string fault =
        actions_.trial(ConnectionText(*fields, password_->text().toStdString()));
    if (fault.empty()) {
        Tell(QStringLiteral("Η σύνδεση με τον διακομιστή %1 έγινε.").arg(name), false);
    } else {
        Tell(Q(fault), true);
    }
}

void FrmHistoryStore::accept() {
    std::string connection;
    if (onServer_->isChecked()) {
        const std::optional<ServerFields> fields = Read();
        if (!fields) {
            return;
        }
        // Unchanged fields keep the text as it was written, options and all.
        connection = *fields == FieldsOf(current_) ? current_ : ConnectionText(*fields);
        if (!password_->text().isEmpty() && actions_.keepPassword) {
            if (const std::string fault =
                    actions_.keepPassword(*fields, password_->text().toStdString());
                !fault.empty()) {
                Tell(Q(fault), true);
                return;
            }
        }
    }
    if (actions_.keep) {
        if (const std::string fault = actions_.keep(connection); !fault.empty()) {
            Tell(Q(fault), true);
            return;
        }
    }
    QDialog::accept();
}

} // namespace pyrostat
