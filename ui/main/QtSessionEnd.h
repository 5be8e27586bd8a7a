#pragma once

#include "document/SessionEnd.h"

#include <QSessionManager>

namespace kestrix {

// The desktop's session manager, as the document commands see it.
class QtSessionEnd : public SessionEndRequest {
public:
    explicit QtSessionEnd(QSessionManager& manager) : m_manager(manager) {}
    bool allowsInteraction() override { return m_manager.allowsInteraction(); }
    void release() override { m_manager.release(); }
    void cancel() override { m_manager.cancel(); }

private:
    QSessionManager& m_manager;
};

} // namespace kestrix
