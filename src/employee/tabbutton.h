#pragma once

#include <QFrame>

class QLabel;
class QSvgRenderer;

// One tab of the employee screen: a picture with its caption. The active tab
// is the one whose caption is bold; other screens read that to know which
// panel is in front. A click on the picture or on the caption chooses it.
class TabButton : public QFrame
{
    Q_OBJECT

public:
    TabButton(const QString &caption, const QString &iconPath, QWidget *parent = nullptr);

    QLabel *captionLabel() const { return m_caption; }
    bool isActive() const;
    void setActive(bool active);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_caption;
    QSvgRenderer *m_icon;
};
