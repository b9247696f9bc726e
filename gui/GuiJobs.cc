#include "GuiJobs.h"

GuiJobs::GuiJobs() : service_([this] { news_.emit(); }) {
    news_.connect([this] { service_.deliver(); });
}

GuiJobs::~GuiJobs() {
    service_.shutdown();
}
