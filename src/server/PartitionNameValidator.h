// The reference partition-name checker. A name may be stored unless it holds
// a double quote or two single quotes in a row (the characters that would
// break the quoted texts other tools of the system build from names). The
// conversion is the identity: names are stored exactly as given, since the
// store binds every value and needs no escaping.
#pragma once

#include "components/SingleUseComponents.h"

namespace server {

// Source of the checker's errors (it has no ProgID of its own; it raises none today).
inline constexpr const char *kNameValidatorSource = "QRVdb.NameValidator";

class PartitionNameValidator : public NameValidator
{
public:
    bool CheckName(const QString &name) override;
    QString ConvertName(const QString &name) override;
};

} // namespace server
