/* A program built for Microsoft's ABI (clang for *-pc-windows-msvc, linked by lld-link against
 * tovalin.lib) that uses the C interface and kernel32 and no C runtime at all. In the current
 * folder it loads in.xml, a Shift_JIS document, reads its value, writes another and an
 * attribute, and saves out.xml in Shift_JIS; then it releases handles twice, round after
 * round, which must never reach a live one. The exit status names the step that failed. */
#include "tovalin/tovalin.h"

__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* bytes, unsigned long count,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int status);

static void say(const char* text) {
    unsigned long count = 0;
    unsigned long written = 0;
    while (text[count] != '\0') ++count;
    WriteFile(GetStdHandle((unsigned long)-11), text, count, &written, 0);
}

static void step(unsigned int number, tovalin_status status) {
    if (status != TOVALIN_OK) {
        say("failed: ");
        say(tovalin_last_error_message());
        say("\n");
        ExitProcess(number);
    }
}

/* A call that must refuse a released handle. */
static void refused(unsigned int number, tovalin_status status) {
    if (status != TOVALIN_E_BAD_HANDLE) {
        say("a released handle was taken\n");
        ExitProcess(number);
    }
}

/* The object and node released in the round before are refused, the live ones work. */
static void stale_releases(void) {
    tovalin_document *object = 0, *stale = 0;
    tovalin_node *document = 0, *staleNode = 0;
    unsigned int indent = 0;
    int type = 0;
    int round;
    for (round = 0; round < 1000; ++round) {
        step(10, tovalin_document_create(&object));
        step(11, tovalin_document_create_document(object, "r", &document));
        if (round > 0) {
            refused(12, tovalin_release(stale));
            refused(13, tovalin_release(staleNode));
            refused(14, tovalin_node_get_type(staleNode, &type));
        }
        step(15, tovalin_document_get_indent(object, &indent));
        step(16, tovalin_node_get_type(document, &type));
        step(17, tovalin_release(document));
        step(18, tovalin_release(object));
        refused(19, tovalin_release(object));
        stale = object;
        staleNode = document;
    }
}

static int same(const char* text, const char* expected) {
    while (*text != '\0' && *text == *expected) ++text, ++expected;
    return *text == *expected;
}

void start(void) {
    tovalin_document* object = 0;
    tovalin_problem_list* problems = 0;
    tovalin_node* document = 0;
    tovalin_node* root = 0;
    char* value = 0;
    step(1, tovalin_document_create(&object));
    step(2, tovalin_document_load(object, "in.xml", 0, &problems));
    step(3, tovalin_document_get_xml_data(object, "name", &value));
    /* "日本" as Shift_JIS reads it. */
    step(4, same(value, "\x93\xFA\x96\x7B") ? TOVALIN_OK : TOVALIN_E_FAILED);
    /* A wave dash and a circled one; the attribute "種". */
    step(5, tovalin_document_set_xml_data(object, "name", "\x81\x60\x87\x40", 1));
    step(6, tovalin_document_get_document(object, &document));
    step(7, tovalin_document_node_get_document_element(document, &root));
    step(8, tovalin_node_set_attribute(root, "id", "\x8E\xED"));
    step(9, tovalin_document_save(object, "out.xml", TOVALIN_ENCODE_SHIFT_JIS));
    tovalin_free(value);
    tovalin_free(problems);
    tovalin_release(root);
    tovalin_release(document);
    tovalin_release(object);
    say("saved out.xml\n");
    stale_releases();
    ExitProcess(0);
}
