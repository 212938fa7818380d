#include "ui/project/ExampleChooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/context/AppContext.h"
#include "ui/context/UserFile.h"
#include "ui/i18n/Examples.h"

namespace kivo::ui {
namespace {

constexpr QSize kThumbnailSize(240, 180);

// The example's own picture scaled down, at one and two device pixels per
// point so that it stays sharp at 200 %; the small thumbnail written
// beside it when the picture is missing.
QIcon Thumbnail(const QString& examplePath) {
    const QFileInfo fi(examplePath);
    QPixmap pm;
    for (const char* end : {".bmp", "_thumb.bmp"}) {
        const auto bytes = ReadUserFile(fi.dir().filePath(fi.completeBaseName() + QLatin1String(end)), kMaxBytesPicture, false);
        if (bytes && pm.loadFromData(*bytes)) break;
    }
    if (pm.isNull()) {
        pm = QPixmap(kThumbnailSize);
        pm.fill(QColor(230, 230, 230));
        QPainter p(&pm);
        p.setPen(Qt::darkGray);
        p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
        p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("?"));
    }
    QIcon icon;
    for (int scale : {1, 2})
        icon.addPixmap(pm.scaled(kThumbnailSize * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return icon;
}

}  // namespace

ExampleChooser::ExampleChooser(AppContext& app, QWidget* parent) : QTabWidget(parent), app_(app) {
    setObjectName(QStringLiteral("TabbedNotebook1"));
    setAccessibleName(QStringLiteral("Exemplos"));
    const QStringList pages = ExamplePages(false);
    QList<QGridLayout*> grades;
    for (int p = 0; p < pages.size(); ++p) {
        auto* page = new QWidget(this);
        page->setObjectName(QStringLiteral("Pagina%1").arg(p));
        auto* grade = new QGridLayout(page);
        grade->setColumnStretch(1, 1);
        grade->setColumnStretch(3, 1);
        grade->setHorizontalSpacing(12);
        grades << grade;
        addTab(page, pages[p]);
    }
    const auto examples = Examples();
    QList<int> perPage(pages.size(), 0);
    for (int i = 0; i < int(examples.size()); ++i) {
        const Example& ex = examples[i];
        const QString name = QString::fromLatin1(ex.picture);
        QWidget* page = widget(ex.page);
        auto* picture = new QToolButton(page);
        picture->setObjectName(name);
        picture->setIconSize(kThumbnailSize);
        picture->setAutoRaise(true);
        picture->setCursor(Qt::PointingHandCursor);
        const QString tooltip = QString::fromUtf8(ex.tooltip);
        picture->setToolTip(tooltip);
        connect(picture, &QToolButton::clicked, this, [this, i] { emit exampleChosen(i); });

        auto* title = new QLabel(page);
        title->setObjectName(QStringLiteral("Titulo_") + name);
        QFont f = title->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.2);
        title->setFont(f);
        title->setWordWrap(true);

        auto* description = new QPlainTextEdit(page);
        description->setObjectName(QStringLiteral("Descricao_") + name);
        description->setReadOnly(true);
        description->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        description->setFrameShape(QFrame::NoFrame);
        description->viewport()->setAutoFillBackground(false);

        auto* text = new QVBoxLayout;
        text->addWidget(title);
        text->addWidget(description, 1);
        const int k = perPage[ex.page]++;
        grades[ex.page]->addWidget(picture, k / 2, (k % 2) * 2, Qt::AlignTop);
        grades[ex.page]->addLayout(text, k / 2, (k % 2) * 2 + 1);
    }
    for (QGridLayout* g : grades)
        for (int r = 0; r < 2; ++r) g->setRowStretch(r, 1);
    Fill(false);
}

void ExampleChooser::Translate() { Fill(true); }

void ExampleChooser::showEvent(QShowEvent* e) {
    // The pictures are read when the chooser is first shown, not with the
    // main window.
    if (!picturesLoaded_) {
        const auto examples = Examples();
        for (int i = 0; i < int(examples.size()); ++i)
            findChild<QToolButton*>(QString::fromLatin1(examples[i].picture))
                ->setIcon(Thumbnail(ExamplePath(app_.folders(), i)));
        picturesLoaded_ = true;
    }
    QTabWidget::showEvent(e);
}

void ExampleChooser::Fill(bool english) {
    const QStringList pages = ExamplePages(english);
    for (int p = 0; p < pages.size(); ++p) setTabText(p, pages[p]);
    for (const Example& ex : Examples()) {
        const QString name = QString::fromLatin1(ex.picture);
        const QString title = QString::fromUtf8(english ? ex.titleEn : ex.titlePt);
        auto* label = findChild<QLabel*>(QStringLiteral("Titulo_") + name);
        label->setText(title);
        label->setAccessibleName(title);
        auto* description = findChild<QPlainTextEdit*>(QStringLiteral("Descricao_") + name);
        description->setPlainText(QString::fromUtf8(english ? ex.descriptionEn : ex.descriptionPt));
        description->setAccessibleName(title);
        // The picture is named by its hint, or by its title where the
        // table gives no hint; the hints are Portuguese only, so in English
        // the English title serves as both.
        auto* picture = findChild<QToolButton*>(name);
        const QString tooltip = english ? title : QString::fromUtf8(ex.tooltip);
        picture->setToolTip(tooltip);
        picture->setAccessibleName(tooltip.isEmpty() ? title : tooltip);
    }
}

QString ExampleChooser::ExamplePath(const UserFolders& folders, int index) {
    QString path = QString::fromUtf8(Examples()[index].path);
    path.replace('\\', '/');
    return folders.examplesRoot() + path;
}

}  // namespace kivo::ui
