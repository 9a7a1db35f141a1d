#include "uikit/retractlabel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

RetractLabel::RetractLabel(QWidget* parent) : QLabel(parent) {}

bool RetractLabel::IsAcceptable(const QString& text) {
    static const QRegularExpression forbidden("[/:*\"<>|?]");
    // A leading dot would hide the file in the desktop's file browsers.
    return !text.contains(forbidden) && !text.contains('\\') && !text.startsWith('.');
}

QString RetractLabel::BaseName(const QString& name) {
    const int dot = name.lastIndexOf('.');
    return dot < 0 ? name : name.left(dot);
}

QString RetractLabel::Extension(const QString& name) {
    const int dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot);
}

void RetractLabel::SetName(const QString& name) {
    m_name = name;
    setText(name);
}

QString RetractLabel::Name() const {
    return m_name;
}

void RetractLabel::SetHideExtension(bool hide) {
    m_hideExtension = hide;
}

bool RetractLabel::HideExtension() const {
    return m_hideExtension;
}

void RetractLabel::StartRename() {
    if (!m_editor) {
        m_editor = new QLineEdit(this);
        m_editor->setAcceptDrops(true);
        connect(m_editor, &QLineEdit::returnPressed, this, &RetractLabel::RenameOK);
        connect(m_editor, &QLineEdit::editingFinished, this, &RetractLabel::RenameOK);
        connect(m_editor, &QLineEdit::textChanged, this, &RetractLabel::NameChange);
        m_editor->installEventFilter(this);
    }
    m_editor->setFont(font());
    m_accepted = m_hideExtension ? BaseName(m_name) : m_name;
    m_editor->setText(m_accepted);
    m_editor->setGeometry(rect());
    m_editor->show();
    m_editor->setFocus();
    m_editor->selectAll();
}

bool RetractLabel::IsRenaming() const {
    return m_editor && m_editor->isVisible();
}

QLineEdit* RetractLabel::Editor() const {
    return m_editor;
}

QString RetractLabel::AcceptedText() const {
    return m_accepted;
}

void RetractLabel::NameChange(const QString& text) {
    if (IsAcceptable(text)) {
        m_accepted = text;
        return;
    }
    // Before the first rename there is no editor to set back.
    if (!m_editor)
        return;
    const QSignalBlocker blocker(m_editor);
    m_editor->setText(m_accepted);
}

void RetractLabel::RenameOK() {
    // Return and the end of editing both arrive here: one rename per edit.
    if (!IsRenaming())
        return;
    EndEdit();
    QString name = m_accepted;
    if (m_hideExtension)
        name += Extension(m_name);
    emit emitChangeName(name);
}

void RetractLabel::EndEdit() {
    // Ended with a key, the edit hands the keyboard back to the label's owner (a list row), and
    // that move is no second end of the edit; ended by leaving it, the focus stays where it went.
    if (m_editor->hasFocus() && parentWidget()) {
        const QSignalBlocker blocker(m_editor);
        parentWidget()->setFocus(Qt::OtherFocusReason);
    }
    m_editor->hide();
}

bool RetractLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor || event->type() != QEvent::KeyPress || !IsRenaming())
        return QLabel::eventFilter(watched, event);
    // Taken here: the line edit would pass them on to the row, whose Return opens its menu.
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
        EndEdit();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        RenameOK();
        return true;
    default:
        return QLabel::eventFilter(watched, event);
    }
}
