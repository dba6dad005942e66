#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "form_window.h"

namespace forms::detail {

namespace {

QAccessibleInterface* windowInterface(const QString&, QObject* object) {
    auto* window = dynamic_cast<FormWindow*>(object);
    return window ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

}  // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(&windowInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace forms::detail
