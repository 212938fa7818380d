// The configuration dialog's pages of panel widgets: animated shapes,
// switches, command buttons and tracks.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/app/Aplicacao.h"
#include "ui/i18n/Traducoes.h"
#include "ui/main/TForm1.h"
#include "ui/project/TConfigForm.h"
#include "ui/recorders/PainelWidgets.h"

namespace kivo::ui {
namespace {

// The sixteen standard colours, as the project file stores them (blue,
// green, red from the high byte down).
constexpr std::array<std::pair<std::uint32_t, const char*>, 16> kCores{{
    {0x000000, "Black"},  {0x000080, "Maroon"}, {0x008000, "Green"},  {0x008080, "Olive"},
    {0x800000, "Navy"},   {0x800080, "Purple"}, {0x808000, "Teal"},   {0x808080, "Gray"},
    {0xC0C0C0, "Silver"}, {0x0000FF, "Red"},    {0x00FF00, "Lime"},   {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},   {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xFFFFFF, "White"},
}};

QColor CorQt(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QIcon Amostra(std::uint32_t bgr) {
    QPixmap pm(32, 32);
    pm.fill(CorQt(bgr));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 31, 31);
    return QIcon(pm);
}

void AdicionaCor(QComboBox* c, std::uint32_t bgr, const QString& nome) { c->addItem(Amostra(bgr), nome, QVariant::fromValue(bgr)); }

QComboBox* SeletorCor(const QString& nome, QWidget* pai) {
    auto* c = new QComboBox(pai);
    c->setObjectName(nome);
    c->setAccessibleName(nome);
    for (const auto& [bgr, texto] : kCores) AdicionaCor(c, bgr, QString::fromLatin1(texto));
    return c;
}

// Selects the colour, adding it to the list when it is not a standard one.
void MostraCor(QComboBox* c, std::uint32_t bgr) {
    int i = c->findData(QVariant::fromValue(bgr));
    if (i < 0) {
        AdicionaCor(c, bgr, QStringLiteral("#%1").arg(bgr, 6, 16, QLatin1Char('0')));
        i = c->count() - 1;
    }
    c->setCurrentIndex(i);
}

QString NomeCheckTrack(int n) { return n == 1 ? QStringLiteral("Ent1check") : QStringLiteral("Ent%1Check").arg(n); }
QString NomeLabelTrack(int n) { return n == 4 ? QStringLiteral("Ent4label") : QStringLiteral("Ent%1Label").arg(n); }
QString NomeSliderTrack(int n) { return n == 1 ? QStringLiteral("Ent1track") : QStringLiteral("Ent%1Track").arg(n); }
// Fields of button b: description, text for 0, text for 1.
QString NomeDescricaoBotao(int b) { return QStringLiteral("Edit%1").arg(7 + b); }
QString NomeTextoBotao(int b, int estado) { return QStringLiteral("Edit%1").arg(2 * b + estado); }

}  // namespace

QWidget* TConfigForm::CriaPaginaFormas() {
    auto* pagina = new QWidget;
    auto* g = new QGridLayout(pagina);
    // Label names of shapes 1..5: variable, dimensions, colours.
    constexpr std::array<std::array<int, 3>, 5> kRotulos{{{6, 7, 4}, {8, 12, 16}, {9, 13, 17}, {10, 14, 18}, {11, 15, 19}}};
    Projeto& p = app_.projeto();
    for (int k = 1; k <= Projeto::kFormas; ++k) {
        const int linha = k - 1;
        const QString n = QString::number(k);
        auto* check = new QCheckBox(pagina);
        check->setObjectName("Imagem" + n + "Check");
        check->setAccessibleName(QStringLiteral("Imagem ") + n);
        auto* tipo = new QComboBox(pagina);
        tipo->setObjectName("Imagem" + n + "Tipo");
        tipo->addItems(TiposForma(false));
        tipo->setAccessibleName(QStringLiteral("Imagem ") + n);
        auto* var = new QComboBox(pagina);
        var->setObjectName("Imagem" + n + "Var");
        for (int v = 1; v <= Forma::kItensVariavel; ++v) var->addItem(QString::number(v));
        var->setAccessibleName(QStringLiteral("Variável:"));
        // The setting's box and its arrows are one spin box here.
        auto* altura = new QSpinBox(pagina);
        altura->setObjectName("Imagem" + n + "Tam");
        auto* largura = new QSpinBox(pagina);
        largura->setObjectName("Imagem" + n + "TamW");
        for (QSpinBox* s : {altura, largura}) {
            s->setRange(0, Forma::kMaxTamanho);
            s->setSingleStep(2);
            s->setAccessibleName(QStringLiteral("Dimensões:"));
        }
        QComboBox* cor1 = SeletorCor("Imagem" + n + "Cor1", pagina);
        QComboBox* cor2 = SeletorCor("Imagem" + n + "Cor2", pagina);
        // Type, variable and colours wait for the first click on the box.
        for (QWidget* w : std::initializer_list<QWidget*>{tipo, var, cor1, cor2}) w->setEnabled(false);

        g->addWidget(check, linha, 0);
        g->addWidget(tipo, linha, 1);
        g->addWidget(RotuloNumerado(kRotulos[linha][0], "Variável:", pagina), linha, 2);
        g->addWidget(var, linha, 3);
        g->addWidget(RotuloNumerado(kRotulos[linha][1], "Dimensões:", pagina), linha, 4);
        g->addWidget(altura, linha, 5);
        g->addWidget(new QLabel(QStringLiteral("X"), pagina), linha, 6);
        g->addWidget(largura, linha, 7);
        g->addWidget(RotuloNumerado(kRotulos[linha][2], "Cores:", pagina), linha, 8);
        g->addWidget(cor1, linha, 9);
        g->addWidget(cor2, linha, 10);

        Forma& forma = p.formas[linha];
        connect(check, &QCheckBox::clicked, this, [this, &forma, k, tipo, var, cor1, cor2](bool v) {
            forma.habilitada = v;
            for (QWidget* w : std::initializer_list<QWidget*>{tipo, var, cor1, cor2}) w->setEnabled(true);
            w_.painel().AplicaForma(k);
        });
        connect(tipo, &QComboBox::activated, this, [this, &forma](int i) {
            forma.tipo = i;
            AtualizaListaObjetos();
        });
        connect(var, &QComboBox::activated, this, [&forma](int i) { forma.variavel = i; });
        connect(altura, &QSpinBox::valueChanged, this, [this, &forma, k](int v) {
            if (preenchendo_) return;
            forma.altura = v;
            w_.painel().AplicaForma(k);
            if (k == 1) w_.AtualizaDiagrama();
        });
        connect(largura, &QSpinBox::valueChanged, this, [this, &forma, k](int v) {
            if (preenchendo_) return;
            forma.largura = v;
            w_.painel().AplicaForma(k);
        });
        connect(cor1, &QComboBox::activated, this, [this, &forma, k, cor1](int i) {
            forma.cor1 = cor1->itemData(i).value<std::uint32_t>();
            w_.painel().AplicaForma(k);
        });
        connect(cor2, &QComboBox::activated, this,
                [&forma, cor2](int i) { forma.cor2 = cor2->itemData(i).value<std::uint32_t>(); });
    }
    g->setRowStretch(Projeto::kFormas, 1);
    g->setColumnStretch(11, 1);
    return pagina;
}

QLabel* TConfigForm::RotuloNumerado(int numero, const char* texto, QWidget* pai) {
    auto* l = new QLabel(QString::fromUtf8(texto), pai);
    l->setObjectName(QStringLiteral("Label%1").arg(numero));
    l->setAccessibleName(l->text());
    return l;
}

QWidget* TConfigForm::CriaPaginaComandos() {
    auto* pagina = new QWidget;
    auto* coluna = new QVBoxLayout(pagina);
    Projeto& p = app_.projeto();

    auto* chaves = new QGroupBox(pagina);
    auto* gc = new QGridLayout(chaves);
    for (int c = 1; c <= Projeto::kChaves; ++c) {
        const QString n = QString::number(c);
        auto* check = new QCheckBox(QStringLiteral("Chave %1     Tipo:").arg(c), chaves);
        check->setObjectName("Chave" + n + "Check");
        check->setAccessibleName(check->text());
        auto* tipo = new QComboBox(chaves);
        tipo->setObjectName("Chave" + n + "Tipo");
        tipo->addItems(OrientacoesChave(false));
        tipo->setAccessibleName(check->text());
        tipo->setEnabled(false);
        gc->addWidget(check, c - 1, 0);
        gc->addWidget(tipo, c - 1, 1);
        gc->addWidget(RotuloNumerado(21 + c, c == 1 ? "Saída em M11" : "Saída em M12", chaves), c - 1, 2);
        Chave& chave = p.chaves[c - 1];
        connect(check, &QCheckBox::clicked, this, [this, &chave, tipo, c](bool v) {
            chave.habilitada = v;
            tipo->setEnabled(v);
            w_.painel().AplicaChave(c);
        });
        connect(tipo, &QComboBox::activated, this, [this, &chave, c](int i) {
            chave.orientacao = i;
            w_.painel().AplicaChave(c);
        });
    }
    gc->setColumnStretch(3, 1);
    coluna->addWidget(chaves);

    auto* panel2 = new QGroupBox(pagina);
    panel2->setObjectName(QStringLiteral("Panel2"));
    auto* gb = new QGridLayout(panel2);
    for (int b = 1; b <= Projeto::kBotoes; ++b) {
        auto* check = new QCheckBox(panel2);
        check->setObjectName(QStringLiteral("Botao%1_check").arg(b));
        check->setText(b == 2 ? QStringLiteral("Botão 2 (Saída em M98)") : QStringLiteral("Botão %1 (saída em M%2)").arg(b).arg(96 + b));
        check->setAccessibleName(check->text());
        gb->addWidget(check, b - 1, 0);
        Botao& botao = p.botoes[b - 1];
        connect(check, &QCheckBox::clicked, this, [this, &botao, b](bool v) {
            botao.habilitado = v;
            // A button switched off, and those after it, write 0.
            if (!v)
                for (int m = 96 + b; m <= 99; ++m) app_.sim().mem[m] = 0;
            EstadoBotoes();
            w_.painel().AplicaBotoes();
        });
        const auto campo = [&](const QString& nome, int maximo, std::string& destino, int coluna) {
            auto* e = new QLineEdit(panel2);
            e->setObjectName(nome);
            e->setMaxLength(maximo);
            e->setAccessibleName(nome);
            connect(e, &QLineEdit::textEdited, this, [this, &destino, b](const QString& t) {
                destino = t.toStdString();
                w_.painel().AplicaDescricaoBotao(b);
            });
            gb->addWidget(e, b - 1, coluna);
        };
        campo(NomeDescricaoBotao(b), 15, botao.descricao, 1);
        campo(NomeTextoBotao(b, 0), 16, botao.textoZero, 2);
        campo(NomeTextoBotao(b, 1), 16, botao.textoUm, 3);
    }
    for (int c = 1; c <= 3; ++c) gb->setColumnStretch(c, 1);
    coluna->addWidget(panel2);

    auto* tracks = new QGroupBox(pagina);
    auto* gt = new QGridLayout(tracks);
    for (int t = 1; t <= Projeto::kTracks; ++t) {
        auto* check = new QCheckBox(QStringLiteral("Ent%1:").arg(t), tracks);
        check->setObjectName(NomeCheckTrack(t));
        check->setAccessibleName(check->text());
        auto* nome = new QLineEdit(tracks);
        nome->setObjectName(NomeLabelTrack(t));
        nome->setAccessibleName(check->text());
        auto* slider = new QCheckBox(tracks);
        slider->setObjectName(NomeSliderTrack(t));
        slider->setAccessibleName(check->text());
        const int linha = (t - 1) % 3;
        const int coluna0 = (t - 1) / 3 * 3;
        gt->addWidget(check, linha, coluna0);
        gt->addWidget(nome, linha, coluna0 + 1);
        gt->addWidget(slider, linha, coluna0 + 2);
        Track& track = p.tracks[t - 1];
        connect(check, &QCheckBox::clicked, this, [this, &track, nome, slider, t](bool v) {
            track.habilitado = v;
            nome->setEnabled(v);
            slider->setEnabled(v);
            w_.painel().AplicaTrack(t);
        });
        connect(nome, &QLineEdit::textEdited, this, [this, &track, t](const QString& texto) {
            track.rotulo = texto.toStdString();
            app_.sim().mem.setDescricao(14 + t, track.rotulo);
            w_.painel().AplicaTrack(t);
        });
        connect(slider, &QCheckBox::clicked, this, [this, &track, t](bool v) {
            track.deslizante = v;
            w_.painel().AplicaTrack(t);
        });
    }
    gt->setColumnStretch(1, 1);
    gt->setColumnStretch(4, 1);
    coluna->addWidget(tracks);
    coluna->addStretch(1);
    return pagina;
}

void TConfigForm::EstadoBotoes() {
    const Projeto& p = app_.projeto();
    // Each button's box needs the one before it switched on.
    bool anterior = true;
    for (int b = 1; b <= Projeto::kBotoes; ++b) {
        findChild<QCheckBox*>(QStringLiteral("Botao%1_check").arg(b))->setEnabled(anterior);
        const bool ativo = anterior && p.botoes[b - 1].habilitado;
        for (const QString& nome : {NomeDescricaoBotao(b), NomeTextoBotao(b, 0), NomeTextoBotao(b, 1)})
            findChild<QLineEdit*>(nome)->setEnabled(ativo);
        anterior = ativo;
    }
}

void TConfigForm::RecarregaWidgets() {
    preenchendo_ = true;
    const Projeto& p = app_.projeto();
    for (int k = 1; k <= Projeto::kFormas; ++k) {
        const Forma& f = p.formas[k - 1];
        const QString n = QString::number(k);
        findChild<QCheckBox*>("Imagem" + n + "Check")->setChecked(f.habilitada);
        findChild<QComboBox*>("Imagem" + n + "Tipo")->setCurrentIndex(f.tipo);
        findChild<QComboBox*>("Imagem" + n + "Var")->setCurrentIndex(f.variavel);
        findChild<QSpinBox*>("Imagem" + n + "Tam")->setValue(f.altura);
        findChild<QSpinBox*>("Imagem" + n + "TamW")->setValue(f.largura);
        MostraCor(findChild<QComboBox*>("Imagem" + n + "Cor1"), f.cor1);
        MostraCor(findChild<QComboBox*>("Imagem" + n + "Cor2"), f.cor2);
        for (const char* parte : {"Tipo", "Var", "Cor1", "Cor2"})
            findChild<QWidget*>("Imagem" + n + QString::fromLatin1(parte))->setEnabled(f.habilitada);
    }
    for (int c = 1; c <= Projeto::kChaves; ++c) {
        const Chave& ch = p.chaves[c - 1];
        const QString n = QString::number(c);
        findChild<QCheckBox*>("Chave" + n + "Check")->setChecked(ch.habilitada);
        auto* tipo = findChild<QComboBox*>("Chave" + n + "Tipo");
        tipo->setCurrentIndex(ch.orientacao);
        tipo->setEnabled(ch.habilitada);
    }
    for (int b = 1; b <= Projeto::kBotoes; ++b) {
        const Botao& bt = p.botoes[b - 1];
        findChild<QCheckBox*>(QStringLiteral("Botao%1_check").arg(b))->setChecked(bt.habilitado);
        findChild<QLineEdit*>(NomeDescricaoBotao(b))->setText(QString::fromStdString(bt.descricao));
        findChild<QLineEdit*>(NomeTextoBotao(b, 0))->setText(QString::fromStdString(bt.textoZero));
        findChild<QLineEdit*>(NomeTextoBotao(b, 1))->setText(QString::fromStdString(bt.textoUm));
    }
    EstadoBotoes();
    for (int t = 1; t <= Projeto::kTracks; ++t) {
        const Track& tr = p.tracks[t - 1];
        findChild<QCheckBox*>(NomeCheckTrack(t))->setChecked(tr.habilitado);
        auto* nome = findChild<QLineEdit*>(NomeLabelTrack(t));
        nome->setText(QString::fromStdString(tr.rotulo));
        nome->setEnabled(tr.habilitado);
        auto* slider = findChild<QCheckBox*>(NomeSliderTrack(t));
        slider->setChecked(tr.deslizante);
        slider->setEnabled(tr.habilitado);
    }
    preenchendo_ = false;
}

}  // namespace kivo::ui
