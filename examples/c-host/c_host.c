/* A configuration host in plain C, without Qt and without registering
 * anything itself: it creates the Partition Settings component by its
 * ProgID through the registry, shows the dialog early-bound through
 * _Busyness_Rules::Shown and reads ErrCode late-bound through IDispatch.
 * The component finds its server components through the registry too
 * (partition-settings --register registers both libraries).
 *
 * Usage: c_host [configuration [partition [access mode]]]   (default 1 0 f)
 * Prints "Shown: True|False", "ErrCode: n" and, when an error was recorded,
 * "ErrDescription: ..."; exits 0 when Shown answered True with ErrCode 0. */
#include <VEL_PART_SET.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <uchar.h>

/* A BSTR of an ASCII text. */
static BSTR ascii(const char *text)
{
    const UINT length = (UINT)strlen(text);
    BSTR copy = SysAllocStringLen(NULL, length);
    for (UINT i = 0; copy && i < length; ++i)
        copy[i] = (OLECHAR)(unsigned char)text[i];
    return copy;
}

/* A property read through IDispatch: its identifier by name, then Invoke. */
static HRESULT getProperty(IDispatch *dispatch, const char16_t *name, VARIANT *value)
{
    OLECHAR *names[1] = {(OLECHAR *)name};
    DISPID id = DISPID_UNKNOWN;
    HRESULT answer = dispatch->lpVtbl->GetIDsOfNames(dispatch, &IID_NULL, names, 1, 0, &id);
    if (FAILED(answer))
        return answer;
    DISPPARAMS none = {NULL, NULL, 0, 0};
    return dispatch->lpVtbl->Invoke(dispatch, id, &IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value, NULL, NULL);
}

static void printText(const char *label, BSTR text)
{
    printf("%s: ", label);
    for (UINT i = 0; i < SysStringLen(text); ++i)
        putchar(text[i] < 128 ? (int)text[i] : '?');
    putchar('\n');
}

int main(int argc, char **argv)
{
    const short configuration = (short)(argc > 1 ? atoi(argv[1]) : 1);
    const short partition = (short)(argc > 2 ? atoi(argv[2]) : 0);
    const char *mode = argc > 3 ? argv[3] : "f";

    CoInitialize(NULL);
    CLSID rulesClass;
    HRESULT answer = CLSIDFromProgID((const OLECHAR *)u"VEL_PART_SET.Busyness_Rules", &rulesClass);
    _Busyness_Rules *rules = NULL;
    if (SUCCEEDED(answer))
        answer = CoCreateInstance(&rulesClass, NULL, CLSCTX_INPROC_SERVER, &IID__Busyness_Rules, (void **)&rules);
    if (FAILED(answer)) {
        fprintf(stderr, "c_host: no Busyness_Rules object (0x%08x); is it registered?\n", (unsigned)answer);
        return 2;
    }

    VARIANT shown;
    VariantInit(&shown);
    BSTR menuOption = ascii(mode);
    answer = rules->lpVtbl->Shown(rules, configuration, partition, menuOption, 1, VARIANT_FALSE, VARIANT_TRUE, &shown);
    SysFreeString(menuOption);

    IDispatch *dispatch = NULL;
    VARIANT errCode, errDescription;
    VariantInit(&errCode);
    VariantInit(&errDescription);
    if (SUCCEEDED(answer))
        answer = rules->lpVtbl->QueryInterface(rules, &IID_IDispatch, (void **)&dispatch);
    if (SUCCEEDED(answer))
        answer = getProperty(dispatch, u"ErrCode", &errCode);
    if (SUCCEEDED(answer))
        answer = getProperty(dispatch, u"errdescription", &errDescription);
    if (FAILED(answer)) {
        fprintf(stderr, "c_host: a call failed (0x%08x)\n", (unsigned)answer);
        return 2;
    }

    const int wasShown = shown.vt == VT_BOOL && shown.boolVal == VARIANT_TRUE;
    printf("Shown: %s\nErrCode: %ld\n", wasShown ? "True" : "False", (long)errCode.lVal);
    if (errCode.lVal != 0)
        printText("ErrDescription", errDescription.bstrVal);

    VariantClear(&shown);
    VariantClear(&errCode);
    VariantClear(&errDescription);
    dispatch->lpVtbl->Release(dispatch);
    rules->lpVtbl->Release(rules);
    CoUninitialize();
    return wasShown && errCode.lVal == 0 ? 0 : 1;
}
