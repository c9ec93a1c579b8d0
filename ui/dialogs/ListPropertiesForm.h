#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvel {

class PlatformList;

// The four properties of a list: type, platform, owner and description. The caller sets them, shows
// the dialog modally and reads them back on OK.
class TListPropertyForm : public QDialog {
    Q_OBJECT

public:
    explicit TListPropertyForm(const PlatformList& platforms, QWidget* parent = nullptr);

    // A known type is selected and locked (an existing list keeps its type); anything else selects
    // "Media" and leaves the box open.
    void SetListType(const std::string& name);
    // Refills the platform box from the configured platforms; an unconfigured name selects nothing.
    void SetPlatform(const std::string& name);
    void SetOwner(const std::string& text);
    void SetDescription(const std::string& text);

    std::string GetListType() const;
    std::string GetPlatform() const;
    std::string GetOwner() const;
    std::string GetDescription() const;

    // OK closes only with properties that make a line the list file can hold.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void UpdateOKButton();

    const PlatformList& platforms_;
    QComboBox* listTypeCB_ = nullptr;
    QComboBox* platformCB_ = nullptr;
    QLineEdit* ownerEdit_ = nullptr;
    QPlainTextEdit* descriptionMemo_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace quorvel
