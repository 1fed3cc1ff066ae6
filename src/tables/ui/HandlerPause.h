#pragma once

#include "app/WindowLayer.h"

#include "app/WindowTabs.h"

namespace vc {

// Detaches a tab's selection handler for the life of the object and puts it
// back as it was on every way out, so the detail pane is not refreshed for
// each row a sort or a search moves over.
class HandlerPause {
public:
    HandlerPause(WindowTabs& form, TabId id)
        : m_form(form), m_id(id), m_wasAttached(form.tab(id).handlerAttached) {
        m_form.detachChangeHandler(m_id);
    }
    ~HandlerPause() {
        if (m_wasAttached)
            m_form.attachChangeHandler(m_id);
    }
    bool wasAttached() const { return m_wasAttached; }
    HandlerPause(const HandlerPause&) = delete;
    HandlerPause& operator=(const HandlerPause&) = delete;

private:
    WindowTabs& m_form;
    TabId m_id;
    bool m_wasAttached;
};

} // namespace vc
