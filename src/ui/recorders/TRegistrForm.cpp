#include "ui/objects/Formulario.h"
#include "ui/recorders/TRegistrForm.h"

#include <filesystem>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/NumberText.h"
#include "objects/Campos.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/TextosRegistros.h"
#include "ui/i18n/Traducoes.h"
#include "ui/recorders/GraficoRegistrador.h"

namespace kivo::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* Rotulo(const QString& nome, const QString& texto, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setAccessibleName(texto.trimmed().isEmpty() ? nome : texto.trimmed());
    return l;
}

QToolButton* Botao(const QString& nome, QStyle::StandardPixmap icone, QWidget* pai) {
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setIcon(pai->style()->standardIcon(icone));
    b->setAutoRaise(true);
    return b;
}

QCheckBox* Caixa(const QString& nome, const QString& texto, QWidget* pai) {
    auto* c = new QCheckBox(texto, pai);
    c->setObjectName(nome);
    c->setAccessibleName(texto);
    return c;
}

// The field's width from its font, so that both scalings fit.
void LarguraNumero(QLineEdit* e) {
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-00000.0")) + 10);
}

}  // namespace

TRegistrForm::TRegistrForm(Aplicacao& app, int slot, std::function<void()> atualizaDiagrama, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      app_(app),
      slot_(slot),
      atualizaDiagrama_(std::move(atualizaDiagrama)),
      r_(*app_.projeto().registrador(slot)) {
    setObjectName(QStringLiteral("RegistrForm%1").arg(slot));
    auto* linha = new QHBoxLayout(this);
    linha->addWidget(CriaAreaGrafico());
    config_ = CriaConfiguracao();
    linha->addWidget(config_);
    linha->setSizeConstraint(QLayout::SetFixedSize);
    AplicaDicas(this, DicasRegistrador(), false);

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(500);
    connect(&timer1_, &QTimer::timeout, this, [this] { label21_->setVisible(!label21_->isVisible()); });
    Preenche();
    MostraRegistrador();
    amostrador().observador = this;
}

TRegistrForm::~TRegistrForm() {
    // The window goes before its recorder (slot emptied, project reset or
    // load); a log goes on with the recorder and closes with it.
    if (amostrador().observador == this) amostrador().observador = nullptr;
}

QWidget* TRegistrForm::CriaAreaGrafico() {
    auto* painel = new QWidget(this);
    auto* coluna = new QVBoxLayout(painel);
    coluna->setContentsMargins(0, 0, 0, 0);

    auto* topo = new QHBoxLayout;
    topo->addWidget(Rotulo(QStringLiteral("PVLabel"), QStringLiteral("PV"), painel));
    escala_[0] = Rotulo(QStringLiteral("Label1"), QString(), painel);
    topo->addWidget(escala_[0]);
    const char* nomesLegenda[3] = {"VermelhoLabel", "AzulLabel", "VerdeLabel"};
    const QColor cores[3] = {Qt::red, Qt::blue, QColor(0, 128, 0)};
    for (int c = 0; c < 3; ++c) {
        legendas_[c] = Rotulo(QString::fromLatin1(nomesLegenda[c]), QString(), painel);
        QPalette pal = legendas_[c]->palette();
        pal.setColor(QPalette::WindowText, cores[c]);
        legendas_[c]->setPalette(pal);
        topo->addWidget(legendas_[c], 1);
    }
    topo->addWidget(Rotulo(QStringLiteral("MVLabel"), QStringLiteral("MV(%)"), painel));
    coluna->addLayout(topo);

    grafico_ = new GraficoRegistrador(r_.amostrador());
    auto* area = new AreaGrafico(grafico_, painel);
    area_ = area;
    sup_ = new QLineEdit;
    sup_->setObjectName(QStringLiteral("eSupText"));
    sup_->setAccessibleName(QStringLiteral("eSupText"));
    inf_ = new QLineEdit;
    inf_->setObjectName(QStringLiteral("eInfText"));
    inf_->setAccessibleName(QStringLiteral("eInfText"));
    for (QLineEdit* e : {sup_, inf_}) {
        LarguraNumero(e);
        e->setAlignment(Qt::AlignRight);
        e->installEventFilter(this);
    }
    area->AdicionaEsquerda(sup_, 0);
    for (int j = 1; j <= 9; ++j) {
        escala_[j] = Rotulo(QStringLiteral("Label%1").arg(j + 1), QString(), nullptr);
        escala_[j]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        area->AdicionaEsquerda(escala_[j], 20 * j);
    }
    area->AdicionaEsquerda(inf_, 200);
    for (int j = 0; j <= 10; ++j)
        area->AdicionaDireita(Rotulo(QStringLiteral("Percentual%1").arg(100 - 10 * j),
                                     QString::number(100 - 10 * j), nullptr),
                              20 * j);
    coluna->addWidget(area);
    connect(grafico_, &GraficoRegistrador::pressionado, this, &TRegistrForm::CursorEm);
    connect(grafico_, &GraficoRegistrador::duploClique, this, &TRegistrForm::AtualizaRegistrador);

    auto* base = new QHBoxLayout;
    pausa_ = Botao(QStringLiteral("SpeedButton1"), QStyle::SP_MediaPause, painel);
    pausa_->setCheckable(true);
    conf_ = Botao(QStringLiteral("ConfBTN"), QStyle::SP_FileDialogDetailedView, painel);
    sair_ = Botao(QStringLiteral("SairBTN"), QStyle::SP_DialogCloseButton, painel);
    label21_ = Rotulo(QStringLiteral("Label21"), QStringLiteral("Arquivando: TA=0.1 seg"), painel);
    QPalette pal = label21_->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    label21_->setPalette(pal);
    label21_->hide();
    base->addWidget(pausa_);
    base->addWidget(conf_);
    base->addStretch(1);
    base->addWidget(label21_);
    base->addStretch(1);
    base->addWidget(sair_);
    coluna->addLayout(base);
    connect(pausa_, &QToolButton::toggled, this, &TRegistrForm::SpeedButton1Click);
    connect(conf_, &QToolButton::clicked, this, &TRegistrForm::ConfBTNClick);
    connect(sair_, &QToolButton::clicked, this, &TRegistrForm::SairBTNClick);

    panel3_ = new QFrame(painel);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    panel3_->setFrameShape(QFrame::StyledPanel);
    auto* grade = new QGridLayout(panel3_);
    grade->setContentsMargins(4, 2, 4, 2);
    for (int i = 0; i < 6; ++i) {
        coordenadas_[i] = Rotulo(QStringLiteral("CoodsText%1").arg(i + 1),
                                 QStringLiteral("Coordenadas %1").arg(i + 1), panel3_);
        grade->addWidget(coordenadas_[i], i / 3, i % 3);
    }
    panel3_->hide();
    coluna->addWidget(panel3_);
    // Beside the taller configuration area the chart stays at the top.
    coluna->addStretch(1);
    return painel;
}

QWidget* TRegistrForm::CriaConfiguracao() {
    auto* painel = new QWidget(this);
    painel->setObjectName(QStringLiteral("AreaConfiguracao"));
    auto* form = new QFormLayout(painel);
    form->setContentsMargins(6, 0, 0, 0);
    const auto campo = [painel](const char* nome) {
        auto* e = new QLineEdit(painel);
        e->setObjectName(QString::fromLatin1(nome));
        return e;
    };
    const auto adiciona = [form, painel](const char* nomeRotulo, const QString& texto, QWidget* w) {
        QLabel* l = Rotulo(QString::fromLatin1(nomeRotulo), texto, painel);
        l->setBuddy(w);
        w->setAccessibleName(texto.trimmed());
        form->addRow(l, w);
    };
    tag_ = campo("TagText");
    adiciona("TagLabel", QStringLiteral("Tag"), tag_);
    descricao_ = campo("DescricaoText");
    adiciona("DescricaoLabel", QStringLiteral("   Descrição"), descricao_);
    const QStringList listas = {QStringLiteral("Variavel1Select"), QStringLiteral("Variavel2Select"),
                                QStringLiteral("Variavel3Select")};
    const char* nomesCampo[3] = {"Edit1", "Edit2", "Edit3"};
    const char* rotulosVar[3] = {"Variavel1Label", "Variavel2Label", "Variavel3Label"};
    const char* rotulosTexto[3] = {"Texto1Label", "Texto2Label", "Texto3Label"};
    for (int c = 0; c < 3; ++c) {
        variaveis_[c] = new QComboBox(painel);
        variaveis_[c]->setObjectName(listas[c]);
        variaveis_[c]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        variaveis_[c]->setMinimumContentsLength(16);
        adiciona(rotulosVar[c], QStringLiteral("Variável %1").arg(c + 1), variaveis_[c]);
        nomes_[c] = campo(nomesCampo[c]);
        adiciona(rotulosTexto[c], QStringLiteral("Texto %1").arg(c + 1), nomes_[c]);
        connect(variaveis_[c], &QComboBox::activated, this, [this, c](int i) {
            if (preenchendo_) return;
            int& campo = c == 0 ? r_.Variavel1Select : c == 1 ? r_.Variavel2Select : r_.Variavel3Select;
            campo = i;
            if (c == 2) Variavel3SelectChange();
            else ConfiguracaoMudou();
        });
        connect(nomes_[c], &QLineEdit::textEdited, this, [this, c](const QString& t) {
            std::string& nome = c == 0 ? r_.Edit1 : c == 1 ? r_.Edit2 : r_.Edit3;
            nome = t.toStdString();
            ConfiguracaoMudou();
        });
    }
    connect(tag_, &QLineEdit::textEdited, this, [this](const QString& t) {
        r_.TagText = t.toStdString();
        ConfiguracaoMudou();
        if (atualizaDiagrama_) atualizaDiagrama_();
    });
    connect(descricao_, &QLineEdit::textEdited, this, [this](const QString& t) {
        r_.DescricaoText = t.toStdString();
        ConfiguracaoMudou();
    });

    baseTempo_ = new QComboBox(painel);
    baseTempo_->setObjectName(QStringLiteral("BaseTempoBox"));
    baseTempo_->addItems(ItensBaseTempo(app_.ingles()));
    adiciona("BaseTempoLabel", QStringLiteral("Tempo: 1 divisão ="), baseTempo_);
    // The time base is saved with the project but is no change to mark.
    connect(baseTempo_, &QComboBox::activated, this, [this](int i) {
        r_.BaseTempoBox = i;
        AtualizaRegistrador();
    });

    auto* escala = new QGroupBox(QStringLiteral("Escala"), painel);
    escala->setObjectName(QStringLiteral("EscalaGroup"));
    escala->setAccessibleName(escala->title());
    auto* linhaEscala = new QHBoxLayout(escala);
    auto_ = Caixa(QStringLiteral("EscalaAuto"), QStringLiteral("Auto"), escala);
    grossa_ = Caixa(QStringLiteral("CheckBox2"), QStringLiteral("Linha Grossa"), escala);
    linhaEscala->addWidget(auto_);
    linhaEscala->addWidget(grossa_);
    form->addRow(escala);
    connect(auto_, &QCheckBox::clicked, this, [this](bool on) {
        amostrador().EscalaAuto = on;
        AtualizaRegistrador();
    });
    connect(grossa_, &QCheckBox::toggled, this, [this](bool on) {
        amostrador().LinhaGrossa = on;
        DesenhaGrafico();
    });

    arquivar_ = Caixa(QStringLiteral("CheckBox1"), QStringLiteral("Arquivar"), painel);
    virgula_ = Caixa(QStringLiteral("UsarVirgula"), QStringLiteral("Utilizar ',' como separador decimal"), painel);
    ue_ = Caixa(QStringLiteral("UsarUE"), QStringLiteral("Salvar valores em Unid. de Eng."), painel);
    form->addRow(arquivar_);
    form->addRow(virgula_);
    form->addRow(ue_);
    connect(arquivar_, &QCheckBox::clicked, this, &TRegistrForm::CheckBox1Click);
    connect(virgula_, &QCheckBox::toggled, this, [this](bool on) { amostrador().UsarVirgula = on; });
    connect(ue_, &QCheckBox::toggled, this, [this](bool on) { amostrador().UsarUE = on; });
    return painel;
}

void TRegistrForm::Preenche() {
    preenchendo_ = true;
    const DadosRegistrador& d = r_;
    const Memorias& mem = app_.sim().mem;
    QStringList itens;
    for (const std::string& s : mem.ListaExibicao()) itens << Q(s);
    const int indices[3] = {d.Variavel1Select, d.Variavel2Select, d.Variavel3Select};
    for (int c = 0; c < 3; ++c) {
        QComboBox* cb = variaveis_[c];
        cb->clear();
        cb->addItems(itens);
        if (c > 0) cb->addItem(QStringLiteral("Nenhum"));
        cb->setCurrentIndex(indices[c] < cb->count() ? indices[c] : -1);
        // The list opens as wide as its entries.
        cb->view()->setMinimumWidth(cb->view()->sizeHintForColumn(0) + 24);
    }
    tag_->setText(Q(d.TagText));
    descricao_->setText(Q(d.DescricaoText));
    nomes_[0]->setText(Q(d.Edit1));
    nomes_[1]->setText(Q(d.Edit2));
    nomes_[2]->setText(Q(d.Edit3));
    baseTempo_->setCurrentIndex(d.BaseTempoBox);
    auto_->setChecked(amostrador().EscalaAuto);
    grossa_->setChecked(amostrador().LinhaGrossa);
    virgula_->setChecked(amostrador().UsarVirgula);
    ue_->setChecked(amostrador().UsarUE);
    pausa_->setChecked(amostrador().pausado);
    MostraLog();
    preenchendo_ = false;
}

void TRegistrForm::AoAmostrar() {
    // A log the system stopped writing: the box says why.
    if (arquivar_->isChecked() && !amostrador().registrando()) {
        MostraLog();
        app_.Informa(Q(amostrador().log().Erro(app_.ingles())));
    }
    if (!isVisible()) return;
    MostraLegendas();
    DesenhaGrafico();
}

void TRegistrForm::MostraLegendas() {
    for (int c = 0; c < 3; ++c) legendas_[c]->setText(Q(amostrador().legenda(c)));
}

void TRegistrForm::DesenhaGrafico() { grafico_->update(); }

void TRegistrForm::AtualizaRegistrador() {
    r_.AtualizaRegistrador();
    MostraRegistrador();
}

void TRegistrForm::MostraRegistrador() {
    const DadosRegistrador& d = r_;
    arquivar_->setEnabled(!d.TagText.empty());
    sup_->setText(Q(FormataFixo(amostrador().topoEU(), 4, 1)));
    inf_->setText(Q(FormataFixo(amostrador().baseEU(), 4, 1)));
    AtualizaEscala();
    // A recorder with neither tag nor description keeps the window's own
    // caption rather than a bare " - ".
    if (d.TagText.empty() && d.DescricaoText.empty())
        setWindowTitle(app_.Texto(QStringLiteral("Registrador"), QStringLiteral("Register")));
    else
        setWindowTitle(Q(d.TagText + " - " + d.DescricaoText));
    static const char* kAmostragem[3] = {"Saving 0.1s sampling", "Saving 0.334s sampling", "Saving 2s sampling"};
    label21_->setText(QString::fromLatin1(kAmostragem[std::clamp(d.BaseTempoBox, 0, 2)]));
    DesenhaGrafico();
}

void TRegistrForm::AtualizaEscala() {
    for (int j = 0; j < 9; ++j) escala_[j + 1]->setText(Q(amostrador().rotulosEscala()[j]));
    escala_[0]->setText(Q(amostrador().unidade()));
    escala_[0]->setAccessibleName(escala_[0]->text().isEmpty() ? QStringLiteral("Label1") : escala_[0]->text());
    area_->Reposiciona();
}

void TRegistrForm::ConfiguracaoMudou() {
    if (preenchendo_) return;
    AtualizaRegistrador();
    app_.MarcaModificado();
}

void TRegistrForm::Variavel3SelectChange() {
    DadosRegistrador& d = r_;
    const int i = d.Variavel3Select;
    if (i >= 0 && i < 10) {
        const int n = i + 1;
        if (d.Edit2 == "SP") d.Variavel2Select = 60 + n - 1;
        if (d.Edit1 == "PV")
            if (const TControlador* c = app_.projeto().controlador(n)) {
                const int pv = EnderecoDaLista(c->VariavelSelect);
                if (pv > 0) d.Variavel1Select = pv - 1;
            }
        Preenche();
    }
    ConfiguracaoMudou();
}

bool TRegistrForm::configuracaoVisivel() const { return config_->isVisibleTo(this); }

void TRegistrForm::ConfBTNClick() {
    config_->setVisible(!config_->isVisibleTo(this));
    sair_->setEnabled(!config_->isVisibleTo(this));
}

void TRegistrForm::SairBTNClick() { close(); }

void TRegistrForm::closeEvent(QCloseEvent* e) {
    // Closing only hides: the recorder goes on sampling.
    pausa_->setChecked(false);
    panel3_->hide();
    hide();
    e->ignore();
}

void TRegistrForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // A new, untagged recorder opens with its configuration area.
    config_->setVisible(r_.TagText.empty());
    sair_->setEnabled(!config_->isVisibleTo(this));
    conf_->setEnabled(true);
    if (app_.ingles() && !traduzido_) {
        traduzido_ = true;
        AplicaTextos(this, TextosRegistrador(), true);
        AplicaDicas(this, DicasRegistrador(), true);
        SincronizaNomesAcessiveis(this);
    }
    // Showing changes nothing in the recorder: a range typed before the
    // window was hidden is still the range.
    Preenche();
    MostraRegistrador();
    MostraLegendas();
}

void TRegistrForm::SpeedButton1Click(bool pausar) {
    amostrador().pausado = pausar;
    panel3_->setVisible(pausar);
}

void TRegistrForm::CursorEm(QPoint p) {
    if (!amostrador().pausado) return;
    const int i = amostrador().ProximoCursor();
    coordenadas_[i - 1]->setText(
        Q(amostrador().Coordenada(p.x(), p.y(), sup_->text().toStdString(), inf_->text().toStdString())));
}

void TRegistrForm::eSupTextEnter() {
    auto_->setChecked(false);
    amostrador().EscalaManual(sup_->text().toStdString(), inf_->text().toStdString());
    AtualizaEscala();
    DesenhaGrafico();
}

bool TRegistrForm::eventFilter(QObject* o, QEvent* e) {
    if ((o == sup_ || o == inf_) && e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            eSupTextEnter();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void TRegistrForm::CheckBox1Click(bool arquivar) {
    if (!arquivar) {
        const std::string nome = amostrador().EncerraLog();
        MostraLog();
        app_.Informa(QStringLiteral("Data saved: ") + Q(nome));
        return;
    }
    if (!amostrador().IniciaLog(std::filesystem::path(QDir::currentPath().toStdU16String()))) {
        MostraLog();
        app_.Informa(Q(amostrador().log().Erro(app_.ingles())));
        return;
    }
    MostraLog();
}

void TRegistrForm::MostraLog() {
    const bool registrando = amostrador().registrando();
    arquivar_->setChecked(registrando);
    if (registrando && !timer1_.isActive()) {
        timer1_.start();
        label21_->show();
    } else if (!registrando) {
        timer1_.stop();
        label21_->hide();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{sup_, inf_, pausa_, tag_, baseTempo_}) w->setEnabled(!registrando);
}

}  // namespace kivo::ui
