* dlxtest.s - the board test's program for the reference design (DLX.bit).
* It checks the ALU, shifts, comparisons, loads and stores, branches and calls,
* and halts at one of two places:
*
*   every check passed:  the PC reads 0x00000003 (the halt at "passed")
*   a check failed:      the PC reads 0x00000002 (the halt at "failed");
*                        R30 then holds the number of the failing check
*
* dlxtest.cod is assembled from this file.

        pc=0x0
        j       begin
failed: halt
passed: halt

begin:  addi    r30 r0 1        * check 1: add, sub
        addi    r1 r0 7
        addi    r2 r0 5
        add     r3 r1 r2
        subi    r4 r3 12
        bnez    r4 failed
        sub     r3 r1 r2
        subi    r4 r3 2
        bnez    r4 failed

        addi    r30 r0 2        * check 2: and, or, xor
        and     r3 r1 r2
        subi    r4 r3 5
        bnez    r4 failed
        or      r3 r1 r2
        subi    r4 r3 7
        bnez    r4 failed
        xor     r3 r1 r2
        subi    r4 r3 2
        bnez    r4 failed

        addi    r30 r0 3        * check 3: shifts and the upper half
        slli    r3 r1 4
        subi    r4 r3 112
        bnez    r4 failed
        srli    r3 r3 3
        subi    r4 r3 14
        bnez    r4 failed
        lhi     r5 0x1234
        ori     r5 r5 0x5678
        srli    r3 r5 16
        subi    r4 r3 0x1234
        bnez    r4 failed

        addi    r30 r0 4        * check 4: signed comparisons
        addi    r6 r0 -3
        slt     r3 r6 r1
        beqz    r3 failed
        sgt     r3 r6 r1
        bnez    r3 failed
        seqi    r3 r2 5
        beqz    r3 failed

        addi    r30 r0 5        * check 5: stores and loads through a loop
        addi    r7 r0 16        * words left
        addi    r8 r0 table
fill:   sw      r7 r8 0         * table[i] = 16 - i
        addi    r8 r8 1
        subi    r7 r7 1
        bnez    r7 fill
        addi    r7 r0 16
        addi    r8 r0 table
        addi    r9 r0 0         * the sum of the table
sum:    lw      r10 r8 0
        add     r9 r9 r10
        addi    r8 r8 1
        subi    r7 r7 1
        bnez    r7 sum
        subi    r4 r9 136
        bnez    r4 failed
        sw      r5 r0 word
        lw      r11 r0 word
        sub     r4 r11 r5
        bnez    r4 failed

        addi    r30 r0 6        * check 6: calls
        addi    r1 r0 21
        jal     double
        subi    r4 r1 42
        bnez    r4 failed
        j       passed

double: add     r1 r1 r1
        jr      r31

        pc=0x100                * the data
table:  ds 16
word:   ds 1
