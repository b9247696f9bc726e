#include "dialog1.h"

void dialog1::on_close_clicked() {
    hide();
}
