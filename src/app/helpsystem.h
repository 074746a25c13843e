#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class HelpViewer;
class ScreenRegistry;

// The program's help: the help file "helvane.hlp" of the working directory
// (written from the resources when missing; any case of the name resolves to
// it), shown in our own viewer. "Aide" opens the contents; F1 on a screen opens
// that screen's topic once a screen that designates the application help file
// has been loaded. Failures are silent, as a help command should be.
class HelpSystem : public QObject
{
    Q_OBJECT

public:
    explicit HelpSystem(QObject *parent = nullptr);
    ~HelpSystem() override;

    // Watches the registry for screens that designate the help file, and the
    // application for F1.
    void attach(ScreenRegistry &registry);

    // Writes the delivered help file into the working directory when
    // missing. One found empty or not a text is set aside (kept under another
    // name) and written anew. Returns what the clerk must be told, empty
    // when nothing was.
    static QString ensureHelpFile();
    // Path of the help file in the working directory, whatever its case.
    static QString helpFilePath();

    bool isDesignated() const { return m_designated; }
    void designate() { m_designated = true; }

    void openContents();
    void openTopic(int context);
    HelpViewer *viewer() const; // the open viewer, nullptr when none

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open(int context);

    bool m_designated = false;
    QPointer<HelpViewer> m_viewer;
};
