#pragma once

#include <QString>

#include <string_view>

namespace telvoran::platform {

// The local socket name under which the copy holding the single-instance guard `guardName`
// takes files from later copies of the same user; empty when there is no private place for it.
QString HandOverName(std::string_view guardName);

}  // namespace telvoran::platform
