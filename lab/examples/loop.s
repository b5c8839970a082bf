* loop.s - sums 10, 9, ..., 1 in a loop and stores the sum.
* Labels, both branches, a jump, pc=, dc and ds.
*
* expect R1 = 0
* expect R2 = 55
* expect R3 = 0
* expect M[0x20] = 55
* expect M[0x21] = 10

        pc=0x0
start:  lw      r1 r0 count     * r1 = 10
        addi    r2 r0 0         * the sum
loop:   add     r2 r2 r1
        subi    r1 r1 1
        bnez    r1 loop         * back while r1 is not 0
        beqz    r1 done         * forwards, always taken here
        addi    r3 r0 99        * skipped
done:   sw      r2 r0 sum
        j       finish
        addi    r3 r0 98        * skipped
finish: halt

        pc = 0x20               * the data
sum:    ds 1
count:  dc 10
