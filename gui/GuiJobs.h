// The job service of the workbench's windows: the jobs' news and ends reach
// the GUI thread through a Glib::Dispatcher, whose handler delivers them.
// Create and destroy it on the GUI thread; destroying it cancels and joins
// every job, posting nothing more.
#pragma once

#include "jobs/JobService.h"

#include <glibmm/dispatcher.h>

class GuiJobs {
public:
    GuiJobs();
    ~GuiJobs();
    GuiJobs(const GuiJobs &) = delete;
    GuiJobs &operator=(const GuiJobs &) = delete;

    JobService &service() { return service_; }

private:
    Glib::Dispatcher news_; // outlives the service, whose workers emit it
    JobService service_;
};
