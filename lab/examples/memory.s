* memory.s - copies a table of four words into a buffer in reverse order,
* with loads and stores through registers and negative offsets.
*
* expect R1 = 0x44
* expect R3 = 0
* expect R7 = 0xABCD1234
* expect M[0x44] = 0xABCD1234
* expect M[0x45] = 0xFFFFFFFF
* expect M[0x46] = 0x22
* expect M[0x47] = 0x11
* expect M[0x48] = 0x44

        addi    r1 r0 table     * source pointer
        addi    r2 r0 buffer
        addi    r3 r0 4         * words left
copy:   lw      r4 r1 0
        add     r5 r2 r3
        sw      r4 r5 -1        * buffer[words left - 1]
        addi    r1 r1 1
        subi    r3 r3 1
        bnez    r3 copy
        lw      r7 r0 buffer
        halt

        pc=0x40
table:  dc 0x11
        dc 0x22
        dc -1
        dc 0XABCD1234
buffer: ds 4
        dc buffer               * a word holding an address
