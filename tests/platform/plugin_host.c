/* Loads tovalin.dll by its full path from a folder of its own, with the DLLs it needs beside
   it and none beside this program, as a plug-in host does, and makes one document object. */
#define WIN32_LEAN_AND_MEAN
#include <stdio.h>
#include <windows.h>

#include "tovalin/tovalin.h"

typedef tovalin_status(TOVALIN_CALL* Create)(tovalin_document**);
typedef tovalin_status(TOVALIN_CALL* Release)(void*);

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    /* Windows looks for the DLL's own dependencies in its folder only when asked to. */
    HMODULE library = LoadLibraryExA(argv[1], NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == NULL) {
        printf("cannot load %s: system error %lu\n", argv[1], GetLastError());
        return 1;
    }
    Create create = (Create)(void (*)(void))GetProcAddress(library, "tovalin_document_create");
    Release release = (Release)(void (*)(void))GetProcAddress(library, "tovalin_release");
    tovalin_document* object = NULL;
    const int made = create != NULL && release != NULL &&
                     create(&object) == TOVALIN_OK && release(object) == TOVALIN_OK;
    FreeLibrary(library);
    printf(made ? "made a document object\n" : "the library did not work\n");
    return made ? 0 : 1;
}
