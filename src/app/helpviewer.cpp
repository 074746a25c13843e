#include "helpviewer.h"

#include "helpcontext.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int AnchorRole = Qt::UserRole;
// Topics are the second-level headings of the help file.
constexpr int TopicHeadingLevel = 2;

} // namespace

HelpViewer::HelpViewer(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser)
    , m_contents(new QListWidget)
{
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Aide de Quorvan"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvan.svg")));

    m_browser->setObjectName(QStringLiteral("helpText"));
    m_browser->setOpenExternalLinks(false);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setToolTip(QStringLiteral("Cliquer sur un sujet pour l'afficher"));
    m_contents->setSpacing(2);

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 610});
    splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(buildToolbar());
    layout->addWidget(splitter, 1);
    resize(860, 620);

    connect(m_contents, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        showAnchor(item->data(AnchorRole).toString());
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::followSource);
}

QWidget *HelpViewer::buildToolbar()
{
    auto *bar = new QWidget;
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_back = addButton(bar, QStringLiteral("helpBack"), QStringLiteral("Précédent"),
                       QStyle::SP_ArrowBack, QStringLiteral("Revenir au sujet précédent"));
    m_forward = addButton(bar, QStringLiteral("helpForward"), QStringLiteral("Suivant"),
                          QStyle::SP_ArrowForward, QStringLiteral("Aller au sujet suivant"));
    QToolButton *home = addButton(bar, QStringLiteral("helpHome"), QStringLiteral("Sommaire"),
                                  QStyle::SP_DirHomeIcon, QStringLiteral("Revenir au sommaire"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { showTopic(HelpContext::Contents); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    layout->addWidget(m_back);
    layout->addWidget(m_forward);
    layout->addWidget(home);
    layout->addStretch(1);
    return bar;
}

QToolButton *HelpViewer::addButton(QWidget *bar, const QString &name, const QString &text,
                                   int icon, const QString &tooltip)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setToolTip(tooltip);
    return button;
}

QString HelpViewer::anchorOf(int context)
{
    return QStringLiteral("topic-%1").arg(context);
}

bool HelpViewer::setHelpFile(const QString &path)
{
    const QString canonical = QFileInfo(path).absoluteFilePath();
    QFile probe(canonical);
    if (!probe.open(QIODevice::ReadOnly))
        return false;
    probe.close();
    if (canonical == m_path && !m_anchors.isEmpty())
        return true;

    m_path = canonical;
    QUrl contents = QUrl::fromLocalFile(m_path);
    contents.setFragment(anchorOf(HelpContext::Contents));
    m_browser->setSource(contents, QTextDocument::HtmlResource);
    m_browser->clearHistory();
    rebuildContents();
    followSource(contents);
    return true;
}

void HelpViewer::rebuildContents()
{
    m_contents->clear();
    m_anchors.clear();
    const QTextDocument *document = m_browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QString topicAnchor;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QStringList names = it.fragment().charFormat().anchorNames();
            for (const QString &name : names) {
                m_anchors.insert(name);
                if (topicAnchor.isEmpty())
                    topicAnchor = name;
            }
        }
        if (topicAnchor.isEmpty() || block.blockFormat().headingLevel() != TopicHeadingLevel)
            continue;
        auto *item = new QListWidgetItem(block.text().trimmed(), m_contents);
        item->setData(AnchorRole, topicAnchor);
    }
}

void HelpViewer::showTopic(int context)
{
    const QString anchor = anchorOf(context);
    showAnchor(hasAnchor(anchor) ? anchor : anchorOf(HelpContext::Contents));
}

void HelpViewer::showAnchor(const QString &anchor)
{
    if (m_path.isEmpty())
        return;
    QUrl url = QUrl::fromLocalFile(m_path);
    url.setFragment(anchor);
    if (url == m_browser->source())
        m_browser->scrollToAnchor(anchor);
    else
        m_browser->setSource(url, QTextDocument::HtmlResource);
}

QString HelpViewer::currentAnchor() const
{
    return m_browser->source().fragment();
}

void HelpViewer::followSource(const QUrl &source)
{
    // The contents list shows where the reader is, whichever way he came.
    const QString anchor = source.fragment();
    for (int row = 0; row < m_contents->count(); ++row) {
        QListWidgetItem *item = m_contents->item(row);
        if (item->data(AnchorRole).toString() == anchor) {
            const QSignalBlocker blocker(m_contents);
            m_contents->setCurrentItem(item);
            return;
        }
    }
    m_contents->clearSelection();
}
