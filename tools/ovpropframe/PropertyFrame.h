// A property-page frame: one tab per page of a filter, titled by the page,
// with OK, Cancel and Apply. Each page runs in the platform's page host (the
// same site and sequence the tests use) and is shown through a DialogView.
// Apply is enabled while a page has told its site it is dirty since the
// last apply; Cancel (or Escape, or closing the window) lets the pages go
// without applying, which makes them write back what they only previewed.
#pragma once

#include "com_ptr.h"
#include "ocidl.h"
#include "propertyhost.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class DialogView;
class QPushButton;
class QTabWidget;

class PropertyFrame : public QDialog {
    Q_OBJECT
public:
    PropertyFrame(IUnknown* filter, std::vector<ComPtr<IPropertyPage>> pages, const QString& filterName,
                  QWidget* parent = nullptr);
    ~PropertyFrame() override;

    // Connects and activates every page; false with `problem` set (and no
    // page left open) when one refuses.
    bool Open(std::string& problem);

    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* ApplyButton() const { return m_apply; }
    DialogView* View(int page) const;
    std::size_t PageCount() const { return m_hosts.size(); }

    // The buttons' actions; OK and Apply are false when a page refuses to apply.
    bool Apply();
    bool Ok();
    void Cancel();
    // Escape, as in every dialog, is Cancel.
    void reject() override { Cancel(); }

signals:
    // Every page applied its changes.
    void Applied();
    // The pages are closed; `accepted` for OK.
    void Finished(bool accepted);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildButtons();
    void SetTabOrder();
    void UpdateApplyButton();
    void ClosePages();

    ComPtr<IUnknown> m_filter;
    std::vector<ComPtr<IPropertyPage>> m_pages;
    std::vector<std::unique_ptr<PropertyPageHost>> m_hosts;
    std::vector<DialogView*> m_views;
    // How many of each site's status changes were seen before the last apply.
    std::vector<std::size_t> m_appliedStatusCount;
    QTabWidget* m_tabs = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
    bool m_finished = false;
};
