#include "ui/project/TConfigForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/app/Aplicacao.h"
#include "ui/i18n/Traducoes.h"
#include "ui/main/Diagrama.h"
#include "ui/main/TForm1.h"

namespace kivo::ui {
namespace {

// The slot boxes' names, family by family, in slot order.
int NumeroCaixa(Familia f, int n) {
    switch (f) {
        case Familia::Controlador: return n;
        case Familia::Registrador: return 10 + n;
        case Familia::Processo:
            if (n <= 10) return 20 + n;
            if (n <= 15) return 50 + n;
            if (n <= 20) return 40 + n;
            return std::array{72, 73, 74, 78}[n - 21];
        case Familia::Bloco:
            if (n <= 15) return 30 + n;
            if (n <= 20) return 66 + n;
            return std::array{75, 76, 77, 79}[n - 21];
        case Familia::Texto:
            if (n <= 9) return 45 + n;
            if (n <= 15) return 56 + n;
            return 71 + n;
    }
    return 0;
}

QLabel* Rotulo(const char* nome, const char* texto, QWidget* pai) {
    auto* l = new QLabel(QString::fromUtf8(texto), pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAccessibleName(l->text().trimmed());
    return l;
}

}  // namespace

TConfigForm::TConfigForm(Aplicacao& app, TForm1& janela) : QDialog(&janela), app_(app), w_(janela) {
    setObjectName(QStringLiteral("ConfigForm"));
    setWindowTitle(TituloConfiguracao(false));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(CriaTopo());

    notebook_ = new QTabWidget(this);
    notebook_->setObjectName(QStringLiteral("NoteBook1"));
    notebook_->setUsesScrollButtons(false);
    const QStringList paginas = PaginasConfiguracao(false);
    auto* pagina0 = new QWidget;
    auto* linha0 = new QHBoxLayout(pagina0);
    linha0->addWidget(CriaPaginaSlots(Familia::Controlador), 1);
    linha0->addWidget(CriaLinearizador(), 1);
    notebook_->addTab(pagina0, paginas[0]);
    notebook_->addTab(CriaPaginaSlots(Familia::Processo), paginas[1]);
    notebook_->addTab(CriaPaginaSlots(Familia::Bloco), paginas[2]);
    notebook_->addTab(CriaPaginaSlots(Familia::Registrador), paginas[3]);
    notebook_->addTab(CriaPaginaSlots(Familia::Texto), paginas[4]);
    notebook_->addTab(CriaPaginaFormas(), paginas[5]);
    notebook_->addTab(CriaPaginaComandos(), paginas[6]);
    coluna->addWidget(notebook_, 1);

    auto* sair = new QPushButton(QStringLiteral("Sair"), this);
    sair->setObjectName(QStringLiteral("SairButton"));
    sair->setAccessibleName(sair->text());
    sair->setAutoDefault(false);
    connect(sair, &QPushButton::clicked, this, [this] {
        w_.AtualizaDiagrama();
        close();
    });
    coluna->addWidget(sair, 0, Qt::AlignRight);

    connect(&app_, &Aplicacao::cicloMedidoMudou, this, [this](double ms) {
        if (isVisible()) label2_->setText(QString::number(ms, 'f', 0) + QStringLiteral("ms"));
    });
    Recarrega();
    Legendas();
    MarcaModificadoAoEditar();
}

void TConfigForm::MarcaModificadoAoEditar() {
    // What the user edits here changes the project; looking through the
    // pages does not. Only the signals of a user's action are taken (and
    // value changes outside a reload), so a reload never marks it.
    const auto marca = [this] {
        if (!preenchendo_) app_.MarcaModificado();
    };
    for (auto* e : findChildren<QLineEdit*>()) connect(e, &QLineEdit::textEdited, this, marca);
    for (auto* c : findChildren<QCheckBox*>()) connect(c, &QCheckBox::clicked, this, marca);
    for (auto* c : findChildren<QComboBox*>()) connect(c, &QComboBox::activated, this, marca);
    for (auto* s : findChildren<QSpinBox*>()) connect(s, &QSpinBox::valueChanged, this, marca);
}

QWidget* TConfigForm::CriaTopo() {
    auto* topo = new QWidget(this);
    auto* g = new QGridLayout(topo);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(Rotulo("Label3", "Título da Simulação:", topo), 0, 0);
    titulo_ = new QLineEdit(topo);
    titulo_->setObjectName(QStringLiteral("Titulo"));
    titulo_->setAccessibleName(QStringLiteral("Título da Simulação:"));
    g->addWidget(titulo_, 0, 1, 1, 2);
    // Every change typed becomes the window's caption at once.
    connect(titulo_, &QLineEdit::textEdited, this, [this](const QString& t) {
        app_.projeto().titulo = t.toStdString();
        w_.AtualizaTitulo();
    });

    g->addWidget(Rotulo("Label1", "Arquivo de Imagem:", topo), 1, 0);
    edit1_ = new QLineEdit(topo);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setAccessibleName(QStringLiteral("Arquivo de Imagem:"));
    edit1_->setReadOnly(true);
    g->addWidget(edit1_, 1, 1);
    auto* escolhe = new QToolButton(topo);
    escolhe->setObjectName(QStringLiteral("SpeedButton1"));
    escolhe->setText(QStringLiteral("..."));
    escolhe->setAccessibleName(QStringLiteral("Arquivo de Imagem:"));
    connect(escolhe, &QToolButton::clicked, this, &TConfigForm::EscolheImagem);
    g->addWidget(escolhe, 1, 2);

    g->addWidget(Rotulo("Label29", "Ciclo Execução: ", topo), 2, 0);
    auto* ciclo = new QComboBox(topo);
    ciclo->setObjectName(QStringLiteral("ComboBox2"));
    ciclo->setAccessibleName(QStringLiteral("Ciclo Execução:"));
    ciclo->addItems({QStringLiteral("100 ms"), QStringLiteral("333 ms"), QStringLiteral("1 segundo")});
    // The cycle stays at 100 ms: the selector is shown, not offered.
    ciclo->setEnabled(false);
    auto* linha = new QHBoxLayout;
    linha->addWidget(ciclo);
    label2_ = Rotulo("Label2", "", topo);
    label2_->setAccessibleName(QStringLiteral("Label2"));
    linha->addWidget(label2_);
    linha->addStretch(1);
    g->addLayout(linha, 2, 1, 1, 2);
    g->setColumnStretch(1, 1);
    return topo;
}

QWidget* TConfigForm::CriaPaginaSlots(Familia f) {
    const int total = Diagrama::TamanhoFamilia(f);
    QWidget* pagina;
    QGridLayout* g;
    if (f == Familia::Controlador) {
        auto* grupo = new QGroupBox(QStringLiteral("PID"));
        grupo->setObjectName(QStringLiteral("GroupBoxPID"));
        pagina = grupo;
        g = new QGridLayout(grupo);
    } else {
        pagina = new QWidget;
        g = new QGridLayout(pagina);
    }
    // Ten boxes to a column.
    for (int n = 1; n <= total; ++n) {
        auto* c = new QCheckBox(pagina);
        c->setObjectName(QStringLiteral("CheckBox%1").arg(NumeroCaixa(f, n)));
        connect(c, &QCheckBox::clicked, this, [this, f, n](bool marcado) { SlotClicado(f, n, marcado); });
        g->addWidget(c, (n - 1) % 10, (n - 1) / 10);
        switch (f) {
            case Familia::Controlador: controladores_[n - 1] = c; break;
            case Familia::Processo: processos_[n - 1] = c; break;
            case Familia::Bloco: blocos_[n - 1] = c; break;
            case Familia::Registrador: registradores_[n - 1] = c; break;
            case Familia::Texto: textos_[n - 1] = c; break;
        }
    }
    g->setRowStretch(10, 1);
    return pagina;
}

QWidget* TConfigForm::CriaLinearizador() {
    auto* painel = new QGroupBox;
    painel->setObjectName(QStringLiteral("Panel1"));
    auto* g = new QGridLayout(painel);
    QLabel* titulo = Rotulo("Label34", "Linearizador", painel);
    QFont f = titulo->font();
    f.setBold(true);
    titulo->setFont(f);
    g->addWidget(titulo, 0, 0, 1, 3);
    g->addWidget(Rotulo("Label30", "End. Entrada:", painel), 1, 0);
    lin1EndEnt_ = new QComboBox(painel);
    lin1EndEnt_->setObjectName(QStringLiteral("Lin1EndEnt"));
    lin1EndEnt_->setAccessibleName(QStringLiteral("End. Entrada:"));
    lin1EndEnt_->setEditable(true);
    lin1EndEnt_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lin1EndEnt_->setMinimumContentsLength(12);
    // Its list is rebuilt from the variable table whenever it gets focus.
    lin1EndEnt_->installEventFilter(this);
    connect(lin1EndEnt_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!preenchendo_) app_.projeto().linearizador.Lin1EndEnt = t.toStdString();
    });
    g->addWidget(lin1EndEnt_, 1, 1, 1, 2);
    g->addWidget(Rotulo("Label31", "End.Saída:", painel), 2, 0);
    auto* saida = new QLineEdit(QStringLiteral("M13"), painel);
    saida->setObjectName(QStringLiteral("Lin1EndSai"));
    saida->setAccessibleName(QStringLiteral("End.Saída:"));
    saida->setEnabled(false);
    g->addWidget(saida, 2, 1, 1, 2);
    lin1Ativar_ = new QCheckBox(QStringLiteral("Ativar"), painel);
    lin1Ativar_->setObjectName(QStringLiteral("Lin1Ativar"));
    lin1Ativar_->setAccessibleName(lin1Ativar_->text());
    connect(lin1Ativar_, &QCheckBox::clicked, this,
            [this](bool v) { app_.projeto().linearizador.SetLin1Ativar(v); });
    g->addWidget(lin1Ativar_, 3, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("MV"), painel), 4, 1, Qt::AlignHCenter);
    g->addWidget(new QLabel(QStringLiteral("PV"), painel), 4, 2, Qt::AlignHCenter);
    for (int k = 0; k < 6; ++k) {
        auto* mv = new QLineEdit(painel);
        mv->setObjectName(QStringLiteral("Lin1MV%1").arg(k + 1));
        mv->setAccessibleName(QStringLiteral("MV %1").arg(k + 1));
        auto* pv = new QLineEdit(painel);
        pv->setObjectName(QStringLiteral("Lin1PV%1").arg(k + 1));
        pv->setAccessibleName(QStringLiteral("PV %1").arg(k + 1));
        connect(mv, &QLineEdit::textEdited, this,
                [this, k](const QString& t) { app_.projeto().linearizador.Lin1MV[k] = t.toStdString(); });
        connect(pv, &QLineEdit::textEdited, this,
                [this, k](const QString& t) { app_.projeto().linearizador.Lin1PV[k] = t.toStdString(); });
        g->addWidget(new QLabel(QString::number(k + 1), painel), 5 + k, 0, Qt::AlignRight);
        g->addWidget(mv, 5 + k, 1);
        g->addWidget(pv, 5 + k, 2);
        lin1MV_[k] = mv;
        lin1PV_[k] = pv;
    }
    g->setRowStretch(11, 1);
    return painel;
}

bool TConfigForm::eventFilter(QObject* o, QEvent* e) {
    if (o == lin1EndEnt_ && e->type() == QEvent::FocusIn) RecarregaListaEntrada();
    return QDialog::eventFilter(o, e);
}

void TConfigForm::RecarregaListaEntrada() {
    preenchendo_ = true;
    const QString texto = lin1EndEnt_->currentText();
    lin1EndEnt_->clear();
    for (const std::string& item : app_.sim().mem.ListaEntrada()) lin1EndEnt_->addItem(QString::fromStdString(item));
    lin1EndEnt_->setCurrentText(texto);
    preenchendo_ = false;
}

QCheckBox* TConfigForm::caixaSlot(Familia f, int n) const {
    switch (f) {
        case Familia::Controlador: return controladores_[n - 1];
        case Familia::Processo: return processos_[n - 1];
        case Familia::Bloco: return blocos_[n - 1];
        case Familia::Registrador: return registradores_[n - 1];
        case Familia::Texto: return textos_[n - 1];
    }
    return nullptr;
}

void TConfigForm::SlotClicado(Familia f, int n, bool marcado) {
    Projeto& p = app_.projeto();
    // The box is the marker's "shown" setting; only a check on an empty
    // slot creates the object.
    switch (f) {
        case Familia::Controlador:
            p.marcadores.controladores[n - 1].exibido = marcado;
            if (marcado && !p.sim.controladores.ativo(n)) p.CriaControlador(n);
            break;
        case Familia::Processo:
            p.marcadores.processos[n - 1].exibido = marcado;
            if (marcado && !p.sim.processos.ativo(n)) p.CriaProcesso(n);
            break;
        case Familia::Bloco:
            p.marcadores.blocos[n - 1].exibido = marcado;
            if (marcado && !p.sim.blocos.ativo(n)) p.CriaBloco(n);
            break;
        case Familia::Registrador:
            p.marcadores.registradores[n - 1].exibido = marcado;
            if (marcado && !p.sim.registradores.ativo(n)) p.CriaRegistrador(n);
            break;
        case Familia::Texto:
            p.marcadores.textos[n - 1].exibido = marcado;
            if (marcado && !p.sim.textos.ativo(n)) p.CriaTexto(n);
            break;
    }
}

void TConfigForm::EscolheImagem() {
    const QString escolhido = app_.interacao().NomeImagem(this);
    if (escolhido.isEmpty()) return;
    // Only the bare name is kept; the picture is read from the current
    // directory.
    const QString nome = QFileInfo(escolhido).fileName();
    app_.projeto().imagem = nome.toStdString();
    if (QFileInfo::exists(nome)) w_.diagrama().CarregaImagem(nome);
    edit1_->setText(nome);
    app_.MarcaModificado();
}

void TConfigForm::Exibe() {
    AtualizaListaObjetos();
    notebook_->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
}

void TConfigForm::Recarrega() {
    preenchendo_ = true;
    Projeto& p = app_.projeto();
    titulo_->setText(QString::fromStdString(p.titulo));
    edit1_->setText(QString::fromStdString(p.imagem));
    for (Familia f : kFamilias)
        for (int n = 1; n <= Diagrama::TamanhoFamilia(f); ++n) {
            const Marcadores& m = p.marcadores;
            bool exibido = false;
            switch (f) {
                case Familia::Controlador: exibido = m.controladores[n - 1].exibido; break;
                case Familia::Processo: exibido = m.processos[n - 1].exibido; break;
                case Familia::Bloco: exibido = m.blocos[n - 1].exibido; break;
                case Familia::Registrador: exibido = m.registradores[n - 1].exibido; break;
                case Familia::Texto: exibido = m.textos[n - 1].exibido; break;
            }
            caixaSlot(f, n)->setChecked(exibido);
        }
    lin1EndEnt_->setCurrentText(QString::fromStdString(p.linearizador.Lin1EndEnt));
    lin1Ativar_->setChecked(p.linearizador.Lin1Ativar());
    for (int k = 0; k < 6; ++k) {
        lin1MV_[k]->setText(QString::fromStdString(p.linearizador.Lin1MV[k]));
        lin1PV_[k]->setText(QString::fromStdString(p.linearizador.Lin1PV[k]));
    }
    preenchendo_ = false;
    RecarregaWidgets();
}

void TConfigForm::Legendas() {
    for (Familia f : kFamilias)
        for (int n = 1; n <= Diagrama::TamanhoFamilia(f); ++n) caixaSlot(f, n)->setText(LegendaVaga(f, n, app_.ingles()));
    AtualizaListaObjetos();
}

void TConfigForm::AtualizaListaObjetos() {
    const Projeto& p = app_.projeto();
    const auto define = [this](Familia f, int n, const std::string& texto) {
        QCheckBox* c = caixaSlot(f, n);
        c->setText(QString::fromStdString(texto));
        c->setAccessibleName(c->text());
    };
    for (int n = 1; n <= 10; ++n) {
        if (const auto* c = p.controlador(n)) define(Familia::Controlador, n, c->TagText + " " + c->Descricao);
        if (const auto* r = p.registrador(n)) define(Familia::Registrador, n, r->TagText + " " + r->DescricaoText);
    }
    for (int n = 1; n <= 24; ++n) {
        if (const auto* o = p.processo(n)) define(Familia::Processo, n, o->TagText + " " + o->DescricaoText);
        if (const auto* b = p.bloco(n)) define(Familia::Bloco, n, b->TagText + " " + b->DescricaoText);
    }
    for (int n = 1; n <= 20; ++n)
        if (const auto* t = p.texto(n)) define(Familia::Texto, n, t->DescricaoText);
    // Empty slots keep the caption they have; accessible names follow.
    for (Familia f : kFamilias)
        for (int n = 1; n <= Diagrama::TamanhoFamilia(f); ++n) caixaSlot(f, n)->setAccessibleName(caixaSlot(f, n)->text());
}

void TConfigForm::SlotEsvaziado(Familia f, int n) {
    QCheckBox* c = caixaSlot(f, n);
    c->setText(LegendaVaga(f, n, app_.ingles()));
    c->setChecked(false);
    AtualizaListaObjetos();
}

void TConfigForm::Traduz() {
    setWindowTitle(TituloConfiguracao(true));
    AplicaTextos(this, TextosConfiguracao(), true);
    const QStringList paginas = PaginasConfiguracao(true);
    for (int i = 0; i < paginas.size(); ++i) notebook_->setTabText(i, paginas[i]);
    // List items are replaced in place, keeping their indexes.
    const auto itens = [this](const QString& nome, const QStringList& textos) {
        if (auto* c = findChild<QComboBox*>(nome))
            for (int i = 0; i < textos.size() && i < c->count(); ++i) c->setItemText(i, textos[i]);
    };
    itens(QStringLiteral("Chave1Tipo"), OrientacoesChave(true));
    itens(QStringLiteral("Chave2Tipo"), OrientacoesChave(true));
    for (int k = 1; k <= 5; ++k) itens(QStringLiteral("Imagem%1Tipo").arg(k), TiposForma(true));
    // The buttons' initial texts are the project's until the user types
    // others: the Portuguese ones become English.
    Projeto& p = app_.projeto();
    for (int b = 1; b <= 3; ++b) {
        Botao& bt = p.botoes[b - 1];
        if (QString::fromStdString(bt.descricao) == DescricaoBotao(false)) bt.descricao = DescricaoBotao(true).toStdString();
        if (QString::fromStdString(bt.textoZero) == TextoBotao(b, 0, false)) bt.textoZero = TextoBotao(b, 0, true).toStdString();
        if (QString::fromStdString(bt.textoUm) == TextoBotao(b, 1, false)) bt.textoUm = TextoBotao(b, 1, true).toStdString();
    }
    // Fields are announced by their labels' captions, now English.
    const std::pair<const char*, const char*> campos[] = {
        {"Titulo", "Label3"}, {"Edit1", "Label1"}, {"ComboBox2", "Label29"}, {"Lin1EndEnt", "Label30"},
        {"Lin1EndSai", "Label31"}};
    for (const auto& [campo, rotulo] : campos)
        if (auto* c = findChild<QWidget*>(QString::fromLatin1(campo)))
            if (auto* l = findChild<QLabel*>(QString::fromLatin1(rotulo))) c->setAccessibleName(l->text().trimmed());
    if (auto* escolhe = findChild<QToolButton*>(QStringLiteral("SpeedButton1")))
        escolhe->setAccessibleName(QStringLiteral("Choose the picture file"));
    RecarregaWidgets();
    Legendas();
}

}  // namespace kivo::ui
