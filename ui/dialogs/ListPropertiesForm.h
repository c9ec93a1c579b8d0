#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QPushButton;

namespace quorvel {

class PlatformList;
class WholeLineEdit;
class WholeTextEdit;

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
    // Whether the properties make a line the list file can hold; if not, says so.
    bool LineFits(const std::string& owner, const std::string& description) const;
    // Whether a candidate owner or description surely fits beside the other text of OtherLength characters.
    bool RoughlyFits(const QString& candidate, qsizetype otherLength) const;

    const PlatformList& platforms_;
    QComboBox* listTypeCB_ = nullptr;
    QComboBox* platformCB_ = nullptr;
    WholeLineEdit* ownerEdit_ = nullptr;
    WholeTextEdit* descriptionMemo_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace quorvel
