/* A video hook module for the engine tests: paints the top left 16 x 16 pixels of the first
   plane with one value (the first argument, 235 by default). "fail" as the first argument makes
   Configure refuse. Built a second time without Process. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    uint8_t* Data[4];
    int Linesize[4];
} TVHookPicture;

typedef struct {
    int Value;
} TTestHook;

int Configure(void** Context, int Argc, char* Argv[], int MaxArgs) {
    TTestHook* hook;
    if (MaxArgs != 63 || Argc < 1 || Argv[Argc] != NULL)
        return 1;
    if (Argc > 1 && strcmp(Argv[1], "fail") == 0)
        return 1;
    hook = malloc(sizeof *hook);
    if (hook == NULL)
        return 1;
    hook->Value = Argc > 1 ? atoi(Argv[1]) : 235;
    *Context = hook;
    return 0;
}

#ifndef ZELTA_TEST_HOOK_NO_PROCESS
void Process(void* Context, TVHookPicture* Picture, int PixelFormat, int Width, int Height,
             int64_t PTS) {
    const TTestHook* hook = Context;
    int x, y;
    (void)PixelFormat;
    (void)PTS;
    for (y = 0; y < 16 && y < Height; ++y)
        for (x = 0; x < 16 && x < Width; ++x)
            Picture->Data[0][y * Picture->Linesize[0] + x] = (uint8_t)hook->Value;
}
#endif

void Release(void* Context) {
    free(Context);
}
