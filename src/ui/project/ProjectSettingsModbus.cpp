// The configuration dialog's Modbus page: the server's address, port and
// number of clients, its start and stop, and its state.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "help/HelpLinks.h"
#include "modbus/Server.h"
#include "ui/context/AppContext.h"
#include "ui/context/HelpPages.h"
#include "ui/i18n/Translations.h"
#include "ui/project/ProjectSettingsDialog.h"

namespace kivo::ui {
namespace {

template <class W>
W* Named(W* w, const char* name, const QString& accessible) {
    w->setObjectName(QString::fromLatin1(name));
    w->setAccessibleName(accessible);
    return w;
}

}  // namespace

QWidget* ProjectSettingsDialog::MakeModbusPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* group = Named(new QGroupBox(QStringLiteral("Servidor Modbus TCP"), page), "ModbusGrupo",
                        QStringLiteral("Servidor Modbus TCP"));
    auto* g = new QGridLayout(group);
    const modbus::ServerOptions& o = app_.modbusOptions;
    const auto label = [group](const char* name, const char* text) {
        return Named(new QLabel(QString::fromUtf8(text), group), name, QString::fromUtf8(text));
    };
    g->addWidget(label("ModbusEnderecoLabel", "Endereço:"), 0, 0);
    modbusHost_ = Named(new QLineEdit(QString::fromStdString(o.host), group), "ModbusEndereco", QStringLiteral("Endereço:"));
    g->addWidget(modbusHost_, 0, 1);
    g->addWidget(label("ModbusPortaLabel", "Porta:"), 1, 0);
    modbusPort_ = Named(new QSpinBox(group), "ModbusPorta", QStringLiteral("Porta:"));
    modbusPort_->setRange(1, 65535);
    modbusPort_->setValue(o.port);
    g->addWidget(modbusPort_, 1, 1);
    g->addWidget(label("ModbusClientesLabel", "Máx. clientes:"), 2, 0);
    modbusClients_ = Named(new QSpinBox(group), "ModbusClientes", QStringLiteral("Máx. clientes:"));
    modbusClients_->setRange(1, modbus::kMaxClientsLimit);
    modbusClients_->setValue(o.maxClients);
    g->addWidget(modbusClients_, 2, 1);
    modbusStart_ = Named(new QPushButton(group), "ModbusIniciar", QString());
    modbusStart_->setAutoDefault(false);
    connect(modbusStart_, &QPushButton::clicked, this, &ProjectSettingsDialog::ToggleModbus);
    g->addWidget(modbusStart_, 3, 0);
    modbusState_ = Named(new QLabel(group), "ModbusEstado", QString());
    modbusState_->setWordWrap(true);
    g->addWidget(modbusState_, 3, 1);
    auto* note = label("ModbusNota",
                       "127.0.0.1 atende só este computador; 0.0.0.0, todas as redes dele: quem alcançar a porta lê e "
                       "muda a planta. As escritas passam pelas verificações da tela; com a simulação pausada, são "
                       "recusadas (ocupado).");
    note->setWordWrap(true);
    g->addWidget(note, 4, 0, 1, 2);
    auto* map = Named(new QPushButton(QStringLiteral("Mapa de registradores..."), group), "ModbusAjuda",
                      QStringLiteral("Mapa de registradores..."));
    map->setAutoDefault(false);
    connect(map, &QPushButton::clicked, this,
            [this] { OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::Modbus); });
    g->addWidget(map, 5, 0);
    g->setColumnStretch(1, 1);
    column->addWidget(group);
    column->addStretch(1);
    ShowModbusState();
    return page;
}

void ProjectSettingsDialog::ToggleModbus() {
    if (app_.modbusServer()) {
        app_.StopModbus();
    } else {
        modbus::ServerOptions& o = app_.modbusOptions;
        o.host = modbusHost_->text().trimmed().toStdString();
        o.port = modbusPort_->value();
        o.maxClients = modbusClients_->value();
        QString error;
        if (!app_.StartModbus(error)) app_.interaction().Inform(this, error);
    }
    ShowModbusState();
}

void ProjectSettingsDialog::ShowModbusState() {
    const modbus::Server* s = app_.modbusServer();
    const bool english = app_.english();
    modbusStart_->setText(ModbusButtonText(s != nullptr, english));
    modbusStart_->setAccessibleName(modbusStart_->text());
    for (QWidget* w : std::initializer_list<QWidget*>{modbusHost_, modbusPort_, modbusClients_}) w->setEnabled(!s);
    const QString where = s ? QStringLiteral("%1:%2").arg(QString::fromStdString(s->host())).arg(s->port()) : QString();
    modbusState_->setText(ModbusStateText(s != nullptr, where, s ? s->stats().clients : 0, english));
    modbusState_->setAccessibleName(modbusState_->text());
}

}  // namespace kivo::ui
