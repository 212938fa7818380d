#include "ui/project/EscolhaExemplos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/app/Aplicacao.h"
#include "ui/app/UserFile.h"
#include "ui/i18n/Exemplos.h"

namespace kivo::ui {
namespace {

constexpr QSize kMiniatura(240, 180);

// The example's own picture scaled down, at one and two device pixels per
// point so that it stays sharp at 200 %; the small thumbnail written
// beside it when the picture is missing.
QIcon Miniatura(const QString& caminhoExemplo) {
    const QFileInfo fi(caminhoExemplo);
    QPixmap pm;
    for (const char* fim : {".bmp", "_thumb.bmp"}) {
        const auto bytes = ReadUserFile(fi.dir().filePath(fi.completeBaseName() + QLatin1String(fim)), kMaxBytesPicture, false);
        if (bytes && pm.loadFromData(*bytes)) break;
    }
    if (pm.isNull()) {
        pm = QPixmap(kMiniatura);
        pm.fill(QColor(230, 230, 230));
        QPainter p(&pm);
        p.setPen(Qt::darkGray);
        p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
        p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("?"));
    }
    QIcon icone;
    for (int escala : {1, 2})
        icone.addPixmap(pm.scaled(kMiniatura * escala, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return icone;
}

}  // namespace

EscolhaExemplos::EscolhaExemplos(Aplicacao& app, QWidget* parent) : QTabWidget(parent), app_(app) {
    setObjectName(QStringLiteral("TabbedNotebook1"));
    setAccessibleName(QStringLiteral("Exemplos"));
    const QStringList paginas = PaginasExemplos(false);
    QList<QGridLayout*> grades;
    for (int p = 0; p < paginas.size(); ++p) {
        auto* pagina = new QWidget(this);
        pagina->setObjectName(QStringLiteral("Pagina%1").arg(p));
        auto* grade = new QGridLayout(pagina);
        grade->setColumnStretch(1, 1);
        grade->setColumnStretch(3, 1);
        grade->setHorizontalSpacing(12);
        grades << grade;
        addTab(pagina, paginas[p]);
    }
    const auto exemplos = Exemplos();
    QList<int> naPagina(paginas.size(), 0);
    for (int i = 0; i < int(exemplos.size()); ++i) {
        const Exemplo& ex = exemplos[i];
        const QString nome = QString::fromLatin1(ex.figura);
        QWidget* pagina = widget(ex.pagina);
        auto* figura = new QToolButton(pagina);
        figura->setObjectName(nome);
        figura->setIconSize(kMiniatura);
        figura->setAutoRaise(true);
        figura->setCursor(Qt::PointingHandCursor);
        const QString dica = QString::fromUtf8(ex.dica);
        figura->setToolTip(dica);
        connect(figura, &QToolButton::clicked, this, [this, i] { emit exemploEscolhido(i); });

        auto* titulo = new QLabel(pagina);
        titulo->setObjectName(QStringLiteral("Titulo_") + nome);
        QFont f = titulo->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.2);
        titulo->setFont(f);
        titulo->setWordWrap(true);

        auto* descricao = new QPlainTextEdit(pagina);
        descricao->setObjectName(QStringLiteral("Descricao_") + nome);
        descricao->setReadOnly(true);
        descricao->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        descricao->setFrameShape(QFrame::NoFrame);
        descricao->viewport()->setAutoFillBackground(false);

        auto* texto = new QVBoxLayout;
        texto->addWidget(titulo);
        texto->addWidget(descricao, 1);
        const int k = naPagina[ex.pagina]++;
        grades[ex.pagina]->addWidget(figura, k / 2, (k % 2) * 2, Qt::AlignTop);
        grades[ex.pagina]->addLayout(texto, k / 2, (k % 2) * 2 + 1);
    }
    for (QGridLayout* g : grades)
        for (int r = 0; r < 2; ++r) g->setRowStretch(r, 1);
    Preenche(false);
}

void EscolhaExemplos::Traduz() { Preenche(true); }

void EscolhaExemplos::showEvent(QShowEvent* e) {
    // The pictures are read when the chooser is first shown, not with the
    // main window.
    if (!figurasCarregadas_) {
        const auto exemplos = Exemplos();
        for (int i = 0; i < int(exemplos.size()); ++i)
            findChild<QToolButton*>(QString::fromLatin1(exemplos[i].figura))
                ->setIcon(Miniatura(CaminhoExemplo(app_.diretorioInicial(), i)));
        figurasCarregadas_ = true;
    }
    QTabWidget::showEvent(e);
}

void EscolhaExemplos::Preenche(bool ingles) {
    const QStringList paginas = PaginasExemplos(ingles);
    for (int p = 0; p < paginas.size(); ++p) setTabText(p, paginas[p]);
    for (const Exemplo& ex : Exemplos()) {
        const QString nome = QString::fromLatin1(ex.figura);
        const QString titulo = QString::fromUtf8(ingles ? ex.tituloEn : ex.tituloPt);
        auto* rotulo = findChild<QLabel*>(QStringLiteral("Titulo_") + nome);
        rotulo->setText(titulo);
        rotulo->setAccessibleName(titulo);
        auto* descricao = findChild<QPlainTextEdit*>(QStringLiteral("Descricao_") + nome);
        descricao->setPlainText(QString::fromUtf8(ingles ? ex.descricaoEn : ex.descricaoPt));
        descricao->setAccessibleName(titulo);
        // The picture is named by its hint, or by its title where the
        // table gives no hint; the hints are Portuguese only, so in English
        // the English title serves as both.
        auto* figura = findChild<QToolButton*>(nome);
        const QString dica = ingles ? titulo : QString::fromUtf8(ex.dica);
        figura->setToolTip(dica);
        figura->setAccessibleName(dica.isEmpty() ? titulo : dica);
    }
}

QString EscolhaExemplos::RaizExemplos(const QString& diretorioInicial) {
    if (QFileInfo(QDir(diretorioInicial).filePath(QStringLiteral("examples"))).isDir()) return diretorioInicial;
    const QString instalada = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kivo"));
    if (QFileInfo(instalada + QStringLiteral("/examples")).isDir()) return instalada;
    return QStringLiteral(KIVO_SOURCE_DIR);
}

QString EscolhaExemplos::CaminhoExemplo(const QString& diretorioInicial, int indice) {
    QString caminho = QString::fromUtf8(Exemplos()[indice].caminho);
    caminho.replace('\\', '/');
    return RaizExemplos(diretorioInicial) + caminho;
}

}  // namespace kivo::ui
