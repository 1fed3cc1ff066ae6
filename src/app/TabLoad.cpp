#include "app/TabLoad.h"

#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "tables/RowFilter.h"
#include "tables/ui/SearchState.h"

namespace vc {

TabLoad::TabLoad(WindowFrame& form, TabId id) : m_form(form), m_id(id), m_report(&form.reporter()) {
    m_form.search().LastSearchTable = nullptr;
    m_form.showTab(id);
    m_form.frameWidget()->repaint();
    m_form.CreateProgressBar(true, 0, 100);
    m_form.ClearPane(m_form.tab(id).pane);
    m_form.detachChangeHandler(id);
}

TabLoad::~TabLoad() {
    m_form.attachChangeHandler(m_id);
    m_form.DestroyProgressBar();
    m_form.UpdateTabState();
}

LoadContext TabLoad::context() {
    LoadContext context;
    context.progress = m_form.progress();
    context.share = 100;
    context.report = &m_report;
    return context;
}

void TabLoad::finish(int countText) {
    TableTab& t = m_form.tab(m_id);
    t.countLabel->setText(labelWithWarnings(
        tx(countText) + QStringLiteral(": ") + shownRowCount(*t.model), m_report.warnings));
    m_form.attachChangeHandler(m_id);
    m_form.selectFirstRow(m_id);
}

} // namespace vc
