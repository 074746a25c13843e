#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class PhotoFrame;
class QLabel;
class QLineEdit;
class RecordView;

// Binds screen fields to the columns of a record view: the fields show the
// view's current record, and any change of a field's text, typed or set by
// the program, becomes a pending change of that record, stored when the view
// leaves it.
class RecordBinding : public QObject
{
    Q_OBJECT

public:
    explicit RecordBinding(QObject *parent = nullptr);

    void setView(RecordView *view) { m_view = view; }
    void bind(QLineEdit *field, const QString &column);
    void bind(QLabel *display, const QString &column);
    void bind(PhotoFrame *photo, const QString &column);

    // Shows the current record in every bound field.
    void load();
    // A display or the photo changed: the view learns of it.
    void displayChanged(QLabel *display);
    void photoChanged();

private:
    void fieldChanged(const QString &column, const QString &text);

    RecordView *m_view = nullptr;
    bool m_loading = false;
    QList<QPair<QLineEdit *, QString>> m_fields;
    QList<QPair<QLabel *, QString>> m_displays;
    PhotoFrame *m_photo = nullptr;
    QString m_photoColumn;
};
