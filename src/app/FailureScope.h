#pragma once

// The failure helper: runs a procedure's steps in continue-on-failure mode. A failing
// step is skipped, the first failure is remembered, and finish() hands it to the
// common error handler under the procedure's name.

#include "app/Failure.h"

#include <optional>
#include <utility>

class ErrorHandler;

class FailureScope
{
public:
    FailureScope(ErrorHandler* handler, QString source);
    ~FailureScope();
    FailureScope(const FailureScope&) = delete;
    FailureScope& operator=(const FailureScope&) = delete;

    template <typename Step> void step(Step&& run)
    {
        try {
            std::forward<Step>(run)();
        } catch (const Failure& failure) {
            remember(failure);
        } catch (const std::exception& e) {
            remember(Failure(FailureCode::Unexpected, QString::fromLocal8Bit(e.what())));
        } catch (...) {
            remember(Failure(FailureCode::Unexpected, QStringLiteral("Unexpected failure")));
        }
    }

    bool failed() const { return pending.has_value(); }
    const std::optional<Failure>& failure() const { return pending; }
    void clear() { pending.reset(); }

    // Reports a pending failure to the handler (once) and clears it.
    void finish();

private:
    void remember(const Failure& failure);

    ErrorHandler* handler;
    QString source;
    std::optional<Failure> pending;
};
