#pragma once

#include <QString>

namespace lw {

// The message shown when the engine cannot be started: five paragraphs, each
// pair separated by two CR LF.
QString wordMissingMessage();

// Proves that "Word.Application" can be created: creates it and quits it.
// When creation fails, shows the message and ends the program; any other
// failure is passed over. Starting the engine here also leaves it warm for
// the first generation run.
void CheckWordInstalled();

} // namespace lw
