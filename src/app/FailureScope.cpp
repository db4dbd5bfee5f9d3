#include "app/FailureScope.h"

#include "app/ErrorHandler.h"

FailureScope::FailureScope(ErrorHandler* handler, QString source) : handler(handler), source(std::move(source))
{}

FailureScope::~FailureScope()
{
    finish();
}

void FailureScope::remember(const Failure& failure)
{
    if (!pending)
        pending = failure;
}

void FailureScope::finish()
{
    if (!pending)
        return;
    const Failure failure = *pending;
    pending.reset();
    if (handler)
        handler->handleError(source, failure);
}
