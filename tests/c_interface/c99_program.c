/* A C99 program over the C interface: the main workflow in both text encodings, then every
 * way a call fails. Every handle is released and every text freed, which the sanitizer build
 * holds it to; an exception out of the library would end the program. Its files go to the
 * current folder. */
#include <locale.h>
#include <stdio.h>
#include <string.h>

#include "tovalin/tovalin.h"

static int failures = 0;

static void expect(int held, const char* what, int line) {
    if (!held) {
        fprintf(stderr, "line %d: %s (last error: %s)\n", line, what, tovalin_last_error_message());
        ++failures;
    }
}

#define EXPECT(condition) expect((condition) != 0, #condition, __LINE__)
#define EXPECT_STATUS(call, status) expect((call) == (status), #call, __LINE__)

/* Whether the library's text is the expected one; the text is freed. */
static int same(char* text, const char* expected) {
    const int equal = text != NULL && strcmp(text, expected) == 0;
    tovalin_free(text);
    return equal;
}

static char* value_of(tovalin_document* object, const char* tag) {
    char* value = NULL;
    EXPECT_STATUS(tovalin_document_get_xml_data(object, tag, &value), TOVALIN_OK);
    return value;
}

static int file_is(const char* path, const char* expected) {
    char bytes[256] = {0};
    FILE* file = fopen(path, "rb");
    const size_t count = file == NULL ? 0 : fread(bytes, 1, sizeof bytes - 1, file);
    if (file != NULL) fclose(file);
    return count == strlen(expected) && memcmp(bytes, expected, count) == 0;
}

static void write_file(const char* path, const char* bytes) {
    FILE* file = fopen(path, "wb");
    if (file != NULL) {
        fputs(bytes, file);
        fclose(file);
    }
}

/* Accepts elements, skips the rest and counts what it is asked; "stop" on an element named so. */
static int TOVALIN_CALL elements_only(tovalin_node* node, void* asked) {
    int type = 0;
    char* name = NULL;
    ++*(int*)asked;
    tovalin_node_get_type(node, &type);
    tovalin_node_get_value(node, &name);
    if (same(name, "stop")) return TOVALIN_FILTER_STOP;
    return type == TOVALIN_ELEMENT_NODE ? TOVALIN_FILTER_ACCEPT : TOVALIN_FILTER_SKIP;
}

/* Builds <r><item id="A-1">(wave dash, circled one)</item></r>, saves it as Shift_JIS, loads
 * it again and reads the value in both text encodings. */
static void workflow(void) {
    tovalin_document *object = NULL, *again = NULL;
    tovalin_node *document = NULL, *root = NULL, *item = NULL, *text = NULL;
    tovalin_problem_list* problems = NULL;
    EXPECT_STATUS(tovalin_document_create(&object), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_create_document(object, "r", &document), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_node_get_document_element(document, &root), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_node_create_element(document, "item", &item), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_node_create_text_node(document, "\x81\x60\x87\x40", &text),
                  TOVALIN_OK);
    EXPECT_STATUS(tovalin_node_append_child(root, item, NULL), TOVALIN_OK);
    EXPECT_STATUS(tovalin_node_append_child(item, text, NULL), TOVALIN_OK);
    EXPECT_STATUS(tovalin_node_set_attribute(item, "id", "A-1"), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_save(object, "c99_out.xml", TOVALIN_ENCODE_SHIFT_JIS),
                  TOVALIN_OK);
    EXPECT(file_is("c99_out.xml",
                   "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<r>\r\n"
                   "<item id=\"A-1\">\x81\x60\x87\x40</item>\r\n</r>\r\n"));

    EXPECT_STATUS(tovalin_document_create(&again), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_load(again, "c99_out.xml", 0, &problems), TOVALIN_OK);
    EXPECT(problems != NULL && problems->count == 0);
    EXPECT(same(value_of(again, "item"), "\x81\x60\x87\x40"));
    EXPECT_STATUS(tovalin_set_text_encoding(TOVALIN_TEXT_UTF8), TOVALIN_OK);
    EXPECT(same(value_of(again, "item"), "\xEF\xBD\x9E\xE2\x91\xA0"));
    EXPECT_STATUS(tovalin_document_set_xml_data(again, "item", "\xE6\x97\xA5", 1), TOVALIN_OK);
    EXPECT_STATUS(tovalin_set_text_encoding(TOVALIN_TEXT_CODE_PAGE), TOVALIN_OK);
    EXPECT(same(value_of(again, "item"), "\x93\xFA"));

    /* The keep layout changes only the edited value. */
    int layout = -1;
    write_file("c99_kept.xml", "<r>\n  <item  id='A-1'>a</item>\n</r>");
    EXPECT_STATUS(tovalin_document_set_layout(again, TOVALIN_LAYOUT_KEEP), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_set_layout(again, 2), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_document_get_layout(again, &layout), TOVALIN_OK);
    EXPECT(layout == TOVALIN_LAYOUT_KEEP);
    EXPECT_STATUS(tovalin_document_load(again, "c99_kept.xml", 0, NULL), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_set_xml_data(again, "item", "b", 1), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_save(again, "c99_kept.xml", TOVALIN_ENCODE_UTF8), TOVALIN_OK);
    EXPECT(file_is("c99_kept.xml", "<r>\n  <item  id='A-1'>b</item>\n</r>"));

    tovalin_free(problems);
    tovalin_release(text);
    tovalin_release(item);
    tovalin_release(root);
    tovalin_release(document);
    tovalin_release(again);
    tovalin_release(object);
}

/* Walks the document through a filter: the elements in document order, then a stop. */
static void walk(void) {
    tovalin_document* object = NULL;
    tovalin_node *document = NULL, *found = NULL, *stop = NULL;
    tovalin_iterator* iterator = NULL;
    int asked = 0;
    char* name = NULL;
    EXPECT_STATUS(tovalin_document_create(&object), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_create_document(object, "r", &document), TOVALIN_OK);
    EXPECT_STATUS(
        tovalin_iterator_create(document, elements_only, &asked, TOVALIN_SHOW_ALL, &iterator),
        TOVALIN_OK);
    EXPECT_STATUS(tovalin_iterator_next(iterator, &found), TOVALIN_OK);
    tovalin_node_get_value(found, &name);
    EXPECT(same(name, "r") && asked == 2);
    tovalin_document_node_create_element(document, "stop", &stop);
    EXPECT_STATUS(tovalin_node_append_child(found, stop, NULL), TOVALIN_OK);
    tovalin_release(found);
    EXPECT_STATUS(tovalin_iterator_next(iterator, &found), TOVALIN_E_CALLBACK);
    EXPECT(found == NULL && asked == 3);

    tovalin_release(stop);
    tovalin_release(iterator);
    tovalin_release(document);
    tovalin_release(object);
}

/* A filter that misbehaves in one way; the walk it serves must end cleanly. */
enum { RELEASE_LENT, RELEASE_ITERATOR, RELEASE_EVERYTHING, NO_ANSWER };
struct misdeed {
    int what;
    tovalin_iterator* iterator;
    tovalin_document* object;
    tovalin_node* document;
    tovalin_node* made; /* a handle of the filter's own */
};

static int TOVALIN_CALL misbehaving(tovalin_node* lent, void* context) {
    struct misdeed* doing = (struct misdeed*)context;
    switch (doing->what) {
        case RELEASE_LENT:
            /* The new handle may take the place the lent one had. */
            tovalin_release(lent);
            tovalin_release(doing->made);
            tovalin_node_copy(doing->document, &doing->made);
            return TOVALIN_FILTER_ACCEPT;
        case RELEASE_ITERATOR:
            tovalin_release(doing->iterator);
            return TOVALIN_FILTER_ACCEPT;
        case RELEASE_EVERYTHING:
            tovalin_release(doing->object);
            tovalin_release(doing->document);
            doing->object = NULL;
            doing->document = NULL;
            return TOVALIN_FILTER_ACCEPT;
        default:
            return 7;
    }
}

/* Walks <r><a/></r> through the filter: what each step gives, as "r a" or "r -2" for a failed
 * step, until the end or the second failure. */
static void walk_through(int what, const char* expected) {
    struct misdeed doing = {0, NULL, NULL, NULL, NULL};
    tovalin_node *root = NULL, *child = NULL, *found = NULL;
    char walked[64] = "";
    int failed = 0;
    doing.what = what;
    tovalin_document_create(&doing.object);
    tovalin_document_create_document(doing.object, "r", &doing.document);
    tovalin_document_node_get_document_element(doing.document, &root);
    tovalin_document_node_create_element(doing.document, "a", &child);
    tovalin_node_append_child(root, child, NULL);
    tovalin_iterator_create(root, misbehaving, &doing, TOVALIN_SHOW_ALL, &doing.iterator);
    while (failed < 2) {
        const tovalin_status status = tovalin_iterator_next(doing.iterator, &found);
        char* name = NULL;
        if (status != TOVALIN_OK) {
            sprintf(walked + strlen(walked), "%s-%d", *walked ? " " : "", status);
            ++failed;
            continue;
        }
        if (found == NULL) break;
        tovalin_node_get_value(found, &name);
        sprintf(walked + strlen(walked), "%s%s", *walked ? " " : "", name);
        tovalin_free(name);
        tovalin_release(found);
    }
    expect(strcmp(walked, expected) == 0, walked, __LINE__);
    /* What the filter made is the filter's: the library released only what it lent. */
    if (doing.made != NULL) EXPECT_STATUS(tovalin_release(doing.made), TOVALIN_OK);
    tovalin_release(doing.iterator);
    tovalin_release(child);
    tovalin_release(root);
    tovalin_release(doing.document);
    tovalin_release(doing.object);
}

static void filters_cannot_break_a_walk(void) {
    walk_through(RELEASE_LENT, "r a");
    walk_through(RELEASE_ITERATOR, "-2 -2");
    walk_through(RELEASE_EVERYTHING, "r a");
    walk_through(NO_ANSWER, "-9 -9");
}

/* One handle of each kind, and a call that each kind takes. */
enum { KINDS = 5 };

static void make_one_of_each(void* made[KINDS]) {
    tovalin_document_create((tovalin_document**)&made[0]);
    tovalin_document_create_document((tovalin_document*)made[0], "r", (tovalin_node**)&made[1]);
    tovalin_node_get_child_nodes((tovalin_node*)made[1], (tovalin_node_list**)&made[2]);
    tovalin_iterator_create((tovalin_node*)made[1], NULL, NULL, TOVALIN_SHOW_ALL,
                            (tovalin_iterator**)&made[3]);
    tovalin_tokenizer_create((tovalin_tokenizer**)&made[4]);
}

static tovalin_status use(int kind, void* handle) {
    unsigned int count = 0;
    unsigned long mask = 0;
    int number = 0;
    switch (kind) {
        case 0:
            return tovalin_document_get_indent((tovalin_document*)handle, &count);
        case 1:
            return tovalin_node_get_type((tovalin_node*)handle, &number);
        case 2:
            return tovalin_node_list_get_length((tovalin_node_list*)handle, &count);
        case 3:
            return tovalin_iterator_get_what_to_show((tovalin_iterator*)handle, &mask);
        default:
            return tovalin_tokenizer_get_rows((tovalin_tokenizer*)handle, &number);
    }
}

/* Round after round, with the allocator free to give the same places again: a released handle
 * of any kind, used as any kind or released again, is refused and touches no live one. */
static void stale_handles_never_name_newer_ones(void) {
    void *stale[KINDS] = {NULL}, *live[KINDS] = {NULL};
    int round, kind, other, wrong = 0;
    for (round = 0; round < 2000; ++round) {
        make_one_of_each(live);
        for (kind = 0; kind < KINDS; ++kind) {
            for (other = 0; other < KINDS; ++other) {
                wrong +=
                    use(other, live[kind]) != (kind == other ? TOVALIN_OK : TOVALIN_E_BAD_HANDLE);
                wrong += round > 0 && use(other, stale[kind]) != TOVALIN_E_BAD_HANDLE;
            }
            wrong += round > 0 && tovalin_release(stale[kind]) != TOVALIN_E_BAD_HANDLE;
        }
        for (kind = 0; kind < KINDS; ++kind) wrong += use(kind, live[kind]) != TOVALIN_OK;
        for (kind = KINDS - 1; kind >= 0; --kind) {
            wrong += tovalin_release(live[kind]) != TOVALIN_OK;
            wrong += tovalin_release(live[kind]) != TOVALIN_E_BAD_HANDLE;
            stale[kind] = live[kind];
        }
    }
    EXPECT(wrong == 0);
    for (kind = 0; kind < KINDS; ++kind) {
        EXPECT_STATUS(tovalin_release((void*)(size_t)(1 << kind)), TOVALIN_E_BAD_HANDLE);
    }
}

/* Texts kept from before a switch of the text encoding are given in the new one: the path, the
 * object's last error and the thread's last message. */
static void texts_follow_the_encoding(void) {
    tovalin_document* object = NULL;
    char* text = NULL;
    write_file("c99_\x93\xFA.xml", "<r/>");
    tovalin_document_create(&object);
    EXPECT_STATUS(tovalin_document_load(object, "c99_\x93\xFA.xml", 0, NULL), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_save(object, "c99_missing/x.xml", 1), TOVALIN_E_FAILED);
    EXPECT(strstr(tovalin_last_error_message(), "\x83\x74\x83\x48\x83\x8B\x83\x5F") != NULL);
    EXPECT_STATUS(tovalin_set_text_encoding(TOVALIN_TEXT_UTF8), TOVALIN_OK);
    EXPECT(strstr(tovalin_last_error_message(),
                  "\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80") != NULL);
    EXPECT_STATUS(tovalin_document_get_last_error(object, &text), TOVALIN_OK);
    EXPECT(strcmp(text, tovalin_last_error_message()) == 0);
    tovalin_free(text);
    EXPECT_STATUS(tovalin_document_get_path(object, &text), TOVALIN_OK);
    EXPECT(same(text, "c99_\xE6\x97\xA5.xml"));
    EXPECT_STATUS(tovalin_set_text_encoding(TOVALIN_TEXT_CODE_PAGE), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_get_path(object, &text), TOVALIN_OK);
    EXPECT(same(text, "c99_\x93\xFA.xml"));
    tovalin_release(object);
    remove("c99_\x93\xFA.xml");
}

/* Every kind of failure, each with its own status, and nothing given out. */
static void failures_and_their_statuses(void) {
    tovalin_document *object = NULL, *empty = NULL;
    tovalin_node *document = NULL, *root = NULL, *copy = NULL, *text = NULL;
    tovalin_node_list* list = NULL;
    tovalin_tokenizer *tokenizer = NULL, *fresh = NULL;
    tovalin_problem_list* problems = NULL;
    char* value = NULL;
    int foreign = 0, handling = 0;
    tovalin_document_create(&object);
    tovalin_document_create(&empty);
    tovalin_document_create_document(object, "r", &document);
    tovalin_document_node_get_document_element(document, &root);
    tovalin_document_node_create_text_node(document, "t", &text);
    tovalin_node_copy(root, &copy);

    /* Handles: null, another kind, a foreign pointer, released; the result is cleared. */
    EXPECT_STATUS(tovalin_document_save(NULL, "x.xml", 0), TOVALIN_E_BAD_HANDLE);
    value = (char*)&foreign;
    EXPECT_STATUS(tovalin_node_get_value((tovalin_node*)object, &value), TOVALIN_E_BAD_HANDLE);
    EXPECT(value == NULL);
    EXPECT_STATUS(tovalin_node_get_value((tovalin_node*)&foreign, &value), TOVALIN_E_BAD_HANDLE);
    EXPECT_STATUS(tovalin_release(copy), TOVALIN_OK);
    EXPECT_STATUS(tovalin_node_get_value(copy, &value), TOVALIN_E_BAD_HANDLE);
    EXPECT_STATUS(tovalin_release(copy), TOVALIN_E_BAD_HANDLE);
    EXPECT_STATUS(tovalin_release(&foreign), TOVALIN_E_BAD_HANDLE);
    EXPECT(strstr(tovalin_last_error_message(), "handle") != NULL);

    /* Arguments: the null node, a null text or result, no document node, an unknown code. */
    EXPECT_STATUS(tovalin_node_get_value(NULL, &value), TOVALIN_E_INVALID_ARGUMENT);
    EXPECT_STATUS(tovalin_node_get_value(root, NULL), TOVALIN_E_INVALID_ARGUMENT);
    EXPECT_STATUS(tovalin_node_set_value(text, NULL), TOVALIN_E_INVALID_ARGUMENT);
    EXPECT_STATUS(tovalin_document_node_create_element(root, "e", &copy),
                  TOVALIN_E_INVALID_ARGUMENT);
    EXPECT_STATUS(tovalin_set_text_encoding(7), TOVALIN_E_INVALID_ARGUMENT);

    /* A failed load gives its records; a failed save, a refused "*" and unknown codes fail. */
    write_file("c99_bad.xml", "<a>\n<b></a>\n");
    EXPECT_STATUS(tovalin_document_load(object, "c99_bad.xml", 0, &problems), TOVALIN_E_FAILED);
    EXPECT(problems != NULL && problems->count == 1 && problems->items[0].line == 2);
    EXPECT(problems != NULL &&
           strcmp(problems->items[0].message, tovalin_last_error_message()) == 0);
    /* Without validation a DTD that cannot be read may be read past, with one problem. */
    write_file("c99_lost.xml", "<!DOCTYPE r SYSTEM \"c99_gone.dtd\">\n<r/>\n");
    EXPECT_STATUS(tovalin_document_set_unreadable_dtd(object, 2), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_document_set_unreadable_dtd(object, TOVALIN_DTD_WARNS), TOVALIN_OK);
    EXPECT_STATUS(tovalin_document_get_unreadable_dtd(object, &handling), TOVALIN_OK);
    EXPECT(handling == TOVALIN_DTD_WARNS);
    tovalin_free(problems);
    EXPECT_STATUS(tovalin_document_load(object, "c99_lost.xml", 0, &problems), TOVALIN_OK);
    EXPECT(problems != NULL && problems->count == 1 && problems->items[0].line == 1);
    EXPECT_STATUS(tovalin_document_save(object, "c99_missing/x.xml", 1), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_document_save(object, "c99_x.xml", 7), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_document_set_xml_data(object, "*", "v", 1), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_document_set_entity_source(object, 5), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_document_get_document(empty, &copy), TOVALIN_E_NO_DOCUMENT);

    /* The DOM's refusals, texts that are not Shift_JIS, operations that do not apply. */
    EXPECT_STATUS(tovalin_node_append_child(text, root, NULL), TOVALIN_E_DOM_HIERARCHY_REQUEST);
    EXPECT_STATUS(tovalin_node_append_child(root, root, NULL), TOVALIN_E_DOM_HIERARCHY_REQUEST);
    EXPECT_STATUS(tovalin_document_node_create_element(document, "1st", &copy),
                  TOVALIN_E_DOM_INVALID_CHARACTER);
    EXPECT_STATUS(tovalin_node_clone(document, 1, &copy), TOVALIN_E_DOM_NOT_SUPPORTED);
    EXPECT_STATUS(tovalin_node_set_value(text, "\x81"), TOVALIN_E_CONVERSION);
    EXPECT_STATUS(tovalin_node_get_elements_by_tag_name(text, "a", &list),
                  TOVALIN_E_NOT_APPLICABLE);

    /* The tokenizer: refused texts, reads before an analysis and past the end. */
    tovalin_tokenizer_create(&tokenizer);
    tovalin_tokenizer_create(&fresh);
    EXPECT_STATUS(tovalin_tokenizer_analysis(tokenizer, ""), TOVALIN_E_FAILED);
    EXPECT_STATUS(tovalin_tokenizer_get_value(fresh, 1, 1, &value), TOVALIN_E_NOT_APPLICABLE);
    EXPECT_STATUS(tovalin_tokenizer_analysis(tokenizer, "a\tb"), TOVALIN_OK);
    EXPECT_STATUS(tovalin_tokenizer_get_value_at(tokenizer, 4, &value), TOVALIN_E_OUT_OF_RANGE);
    EXPECT_STATUS(tovalin_tokenizer_get_value(tokenizer, 1, 2, &value), TOVALIN_OK);
    EXPECT(same(value, "b"));

    EXPECT(copy == NULL && list == NULL);
    tovalin_free(problems);
    tovalin_release(fresh);
    tovalin_release(tokenizer);
    tovalin_release(text);
    tovalin_release(root);
    tovalin_release(document);
    tovalin_release(empty);
    tovalin_release(object);
}

int main(void) {
#ifndef _WIN32
    /* On Windows the ANSI code page is the process code page. */
    if (setlocale(LC_ALL, "ja_JP.SJIS") == NULL) {
        fputs("the locale ja_JP.SJIS is missing\n", stderr);
        return 1;
    }
#endif
    workflow();
    walk();
    filters_cannot_break_a_walk();
    stale_handles_never_name_newer_ones();
    texts_follow_the_encoding();
    failures_and_their_statuses();
    remove("c99_out.xml");
    remove("c99_kept.xml");
    remove("c99_bad.xml");
    return failures == 0 ? 0 : 1;
}
