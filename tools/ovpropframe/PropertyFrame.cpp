#include "PropertyFrame.h"

#include "DialogView.h"
#include "ovAccessibility.h"
#include "widestring.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

PropertyFrame::PropertyFrame(IUnknown* filter, std::vector<ComPtr<IPropertyPage>> pages, const QString& filterName,
                             QWidget* parent)
    : QDialog(parent), m_filter(filter), m_pages(std::move(pages))
{
    InstallCommonAccessibility();
    setWindowTitle(filterName + QStringLiteral(" のプロパティ"));
    m_tabs = new QTabWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    BuildButtons();
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PropertyFrame::~PropertyFrame()
{
    if (!m_finished) ClosePages();
}

void PropertyFrame::BuildButtons()
{
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_apply = new QPushButton(QStringLiteral("適用(&A)"), this);
    m_ok->setDefault(true);
    m_apply->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : {m_ok, m_cancel, m_apply}) row->addWidget(button);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(m_ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });
    connect(m_apply, &QPushButton::clicked, this, [this] { Apply(); });
}

bool PropertyFrame::Open(std::string& problem)
{
    for (const ComPtr<IPropertyPage>& page : m_pages) {
        auto host = std::make_unique<PropertyPageHost>();
        const HRESULT hr = host->Open(page.Get(), m_filter.Get());
        if (FAILED(hr) || !host->Dialog() || !GetDialogTemplate(host->Dialog())) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
            problem = std::string("a property page cannot be opened on the filter (") + code + ")";
            ClosePages();
            return false;
        }
        auto* view = new DialogView(host->Dialog());
        // The page's frame of its own: the dialog's area with the margins a
        // tab gives every page.
        auto* tab = new QWidget;
        auto* tabLayout = new QVBoxLayout(tab);
        tabLayout->addWidget(view, 0, Qt::AlignLeft | Qt::AlignTop);
        tabLayout->addStretch();
        const QString title = QString::fromUtf16(host->Title().data(), static_cast<qsizetype>(host->Title().size()));
        tab->setAccessibleName(title);
        m_tabs->addTab(tab, title);
        connect(view, &DialogView::MessageDelivered, this, &PropertyFrame::UpdateApplyButton);
        m_appliedStatusCount.push_back(host->StatusChanges().size());
        m_views.push_back(view);
        m_hosts.push_back(std::move(host));
    }
    SetTabOrder();
    return true;
}

// As in every property frame: the page tabs, the page's controls in their
// template order, then OK, Cancel and Apply. The buttons were made before
// the pages, so Qt's order of creation would put them first.
void PropertyFrame::SetTabOrder()
{
    QWidget* previous = m_tabs->tabBar();
    for (DialogView* view : m_views)
        for (QWidget* control : view->ControlWidgets())
            if (control->focusPolicy() & Qt::TabFocus) {
                setTabOrder(previous, control);
                previous = control;
            }
    for (QWidget* button : {m_ok, m_cancel, m_apply}) {
        setTabOrder(previous, button);
        previous = button;
    }
}

DialogView* PropertyFrame::View(int page) const
{
    return page >= 0 && page < static_cast<int>(m_views.size()) ? m_views[static_cast<std::size_t>(page)] : nullptr;
}

void PropertyFrame::UpdateApplyButton()
{
    bool dirty = false;
    for (std::size_t i = 0; i < m_hosts.size(); ++i) {
        const std::vector<DWORD>& changes = m_hosts[i]->StatusChanges();
        dirty = dirty || std::any_of(changes.begin() + static_cast<std::ptrdiff_t>(m_appliedStatusCount[i]),
                                     changes.end(), [](DWORD flags) { return (flags & PROPPAGESTATUS_DIRTY) != 0; });
    }
    m_apply->setEnabled(dirty);
}

bool PropertyFrame::Apply()
{
    if (m_finished) return false;
    for (std::size_t i = 0; i < m_hosts.size(); ++i) {
        if (FAILED(m_hosts[i]->Apply())) return false;
        m_appliedStatusCount[i] = m_hosts[i]->StatusChanges().size();
        m_views[i]->Refresh();
    }
    UpdateApplyButton();
    emit Applied();
    return true;
}

bool PropertyFrame::Ok()
{
    if (m_finished) return false;
    if (m_apply->isEnabled() && !Apply()) return false;
    ClosePages();
    emit Finished(true);
    close();
    return true;
}

void PropertyFrame::Cancel()
{
    if (m_finished) return;
    ClosePages();
    emit Finished(false);
    close();
}

void PropertyFrame::closeEvent(QCloseEvent* event)
{
    if (!m_finished) Cancel();
    event->accept();
}

// The views stop first: the page destroys its dialog when it is deactivated.
void PropertyFrame::ClosePages()
{
    m_finished = true;
    for (DialogView* view : m_views) view->Detach();
    for (auto& host : m_hosts) host->Close();
    m_hosts.clear();
    m_pages.clear();
    m_apply->setEnabled(false);
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
}
