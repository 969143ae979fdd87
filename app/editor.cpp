#include "app/editor.h"

Editor& editor() {
    static Editor theEditor;
    return theEditor;
}
