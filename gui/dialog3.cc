#include "dialog3.h"

void dialog3::on_cancel_clicked() {
    hide();
}

void dialog3::on_ok_clicked() {
    hide();
}
