#include "CommandGuard.h"

#include "MessageBoxes.h"
#include "platform/memdata/DataError.h"

void CommandGuard::showError(const std::exception &error)
{
    if (const auto *dataError = dynamic_cast<const DataError *>(&error))
        MessageBoxes::showError(dataError->message());
    else
        MessageBoxes::showError(QString::fromLocal8Bit(error.what()));
}

void CommandGuard::showUnknownError()
{
    MessageBoxes::showError(QStringLiteral("Unknown error"));
}
