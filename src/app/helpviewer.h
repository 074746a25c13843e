#pragma once

#include <QSet>
#include <QString>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QTextBrowser;
class QToolButton;
class QUrl;

// The window that shows the help file: a contents list built from the
// file's own topic headings, the text, and back, forward and contents
// buttons. Topics are the anchors "topic-N" of the screens' context numbers.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // Loads the help file (again when it is another file); false when it
    // cannot be read, and then nothing changes.
    bool setHelpFile(const QString &path);
    QString helpFile() const { return m_path; }

    // Shows the topic of a context number, or the contents when the file has
    // no such topic.
    void showTopic(int context);
    void showAnchor(const QString &anchor);
    QString currentAnchor() const;
    bool hasAnchor(const QString &anchor) const { return m_anchors.contains(anchor); }

    static QString anchorOf(int context);

private:
    QWidget *buildToolbar();
    QToolButton *addButton(QWidget *bar, const QString &name, const QString &text, int icon,
                           const QString &tooltip);
    void rebuildContents();
    void followSource(const QUrl &source);

    QString m_path;
    QSet<QString> m_anchors;
    QTextBrowser *m_browser = nullptr;
    QListWidget *m_contents = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_forward = nullptr;
};
