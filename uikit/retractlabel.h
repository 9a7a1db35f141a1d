#pragma once

#include <QLabel>

class QLineEdit;

// A label showing a name that can be edited in place. Characters that no file name may hold are
// refused as they are typed; the owner performs the rename on emitChangeName.
class RetractLabel : public QLabel {
    Q_OBJECT
public:
    explicit RetractLabel(QWidget* parent = nullptr);

    // True when `text` holds none of / : * " < > | ? and no backslash, and does not start with
    // a dot.
    static bool IsAcceptable(const QString& text);
    // The part before the last "." and the extension from it ("" without a ".").
    static QString BaseName(const QString& name);
    static QString Extension(const QString& name);

    void SetName(const QString& name);
    QString Name() const;
    void SetHideExtension(bool hide);
    bool HideExtension() const;
    void StartRename();
    bool IsRenaming() const;
    QLineEdit* Editor() const;
    QString AcceptedText() const;

signals:
    void emitChangeName(const QString& newName);

public slots:
    void RenameOK();
    void NameChange(const QString& text);

protected:
    // Escape in the editor ends the edit without a rename.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndEdit();

    QLineEdit* m_editor = nullptr;
    QString m_name;
    QString m_accepted;
    bool m_hideExtension = false;
};
