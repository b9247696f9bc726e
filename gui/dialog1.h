// The About dialog. Closing it only hides it.
#pragma once

#include "dialog1_glade.h"

class dialog1 : public dialog1_glade {
protected:
    void on_close_clicked() override;
};
