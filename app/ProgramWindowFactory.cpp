#include "app/ProgramWindowFactory.h"

ProgramWindowFactory::ProgramWindowFactory(AppSettings& settings, orvelo::LapDataCore& core)
    : m_settings(settings), m_core(core) {}
