#include "engine/gui/QxHighScore.h"

bool QxHighScore::Read(QxFile& /*file*/, uint32_t& /*sum*/, uint32_t& /*firstWord*/) {
    return false;
}

bool QxHighScore::Write(QxFile& /*file*/, uint32_t& /*sum*/) const {
    return true;
}

std::unique_ptr<QxHighScore> QxHighScore::Clone() const {
    auto copy = std::make_unique<QxHighScore>(name, score);
    return copy;
}
